#include "plegg/YurkFileOp.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "basic/BigEndian.h"

namespace plegg
{

const char *const YurkFileHeader::FILE_EXT = "pbk";

namespace
{

std::atomic<long> write_limit{-1};

// Writes everything or as much as the descriptor (or the test limit) takes.
long write_all(int fd, const unsigned char *data, long len, long &budget)
{
	long done = 0;
	while (done < len)
	{
		long chunk = len - done;
		if (budget >= 0 && chunk > budget)
			chunk = budget;
		if (chunk <= 0)
			break;
		const ssize_t n = ::write(fd, data + done, static_cast<size_t>(chunk));
		if (n < 0 && errno == EINTR)
			continue;
		if (n <= 0)
			break;
		done += n;
		if (budget >= 0)
			budget -= n;
	}
	return done;
}

long read_all(int fd, unsigned char *data, long len)
{
	long done = 0;
	while (done < len)
	{
		const ssize_t n = ::read(fd, data + done, static_cast<size_t>(len - done));
		if (n < 0 && errno == EINTR)
			continue;
		if (n <= 0)
			break;
		done += n;
	}
	return done;
}

class Fd
{
public:
	explicit Fd(int f) : fd(f) {}
	~Fd()
	{
		if (fd >= 0)
			::close(fd);
	}
	Fd(const Fd &) = delete;
	Fd &operator=(const Fd &) = delete;
	int get() const { return fd; }

private:
	int fd;
};

} // namespace

void YurkFileOp::set_write_limit_for_test(long nbr_bytes)
{
	write_limit.store(nbr_bytes);
}

int YurkFileOp::save_bank(const char *path, const BankManager &bank)
{
	if (path == nullptr || bank.get_nbr_prog() < 1)
		return ERR_OPEN;
	Fd fd(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664));
	if (fd.get() < 0)
		return ERR_OPEN;
	long budget = write_limit.exchange(-1);
	const long size = bank.get_object_size();
	unsigned char header[YurkFileHeader::SIZE];
	std::memcpy(header, "YURK", 4);
	basic::write_be32(header + 4, static_cast<std::uint32_t>(size));
	if (write_all(fd.get(), header, sizeof(header), budget) != static_cast<long>(sizeof(header)))
		return ERR_WRITE_HEADER;
	std::vector<unsigned char> buf(static_cast<std::size_t>(size), 0);
	if (bank.write_to_memory(buf.data()) != 0)
		return ERR_WRITE_IMAGE_REFUSED;
	if (write_all(fd.get(), buf.data(), size, budget) != size)
		return ERR_WRITE_IMAGE;
	return OK;
}

int YurkFileOp::load_bank(const char *path, BankManager &bank, bool strict)
{
	if (path == nullptr)
		return ERR_OPEN;
	Fd fd(::open(path, O_RDONLY | O_CLOEXEC));
	if (fd.get() < 0)
		return ERR_OPEN;
	YurkFileHeader header;
	if (read_all(fd.get(), reinterpret_cast<unsigned char *>(&header), sizeof(header)) != static_cast<long>(sizeof(header)))
		return ERR_READ_HEADER;
	const unsigned char *after = nullptr;
	long length = 0;
	if (check_header(&header, after, length) != 0)
		return ERR_MAGIC;
	// Never allocate more than the file can hold.
	const off_t here = ::lseek(fd.get(), 0, SEEK_CUR);
	const off_t end = ::lseek(fd.get(), 0, SEEK_END);
	if (here < 0 || end < 0 || end - here < length)
		return ERR_READ_IMAGE;
	if (::lseek(fd.get(), here, SEEK_SET) != here)
		return ERR_READ_IMAGE;
	std::vector<unsigned char> image(static_cast<std::size_t>(length), 0);
	if (read_all(fd.get(), image.data(), length) != length)
		return ERR_READ_IMAGE;
	return check_data(image.data(), length, bank, strict);
}

int YurkFileOp::load_bank_mem(const void *data, long size, BankManager &bank, bool strict)
{
	if (data == nullptr || size < YurkFileHeader::SIZE)
		return ERR_MAGIC;
	YurkFileHeader header;
	std::memcpy(&header, data, sizeof(header));
	const unsigned char *after = nullptr;
	long length = 0;
	if (check_header(&header, after, length) != 0)
		return ERR_MAGIC;
	// The image is what follows the header in the block; the length field is
	// not trusted beyond the block's own size.
	const unsigned char *image = static_cast<const unsigned char *>(data) + YurkFileHeader::SIZE;
	return check_data(image, size - YurkFileHeader::SIZE, bank, strict);
}

int YurkFileOp::check_header(const YurkFileHeader *header, const unsigned char *&data, long &length)
{
	if (std::memcmp(header->magic, "YURK", 4) != 0)
		return ERR_MAGIC;
	data = reinterpret_cast<const unsigned char *>(header) + YurkFileHeader::SIZE;
	length = static_cast<long>(basic::read_be32(header->length));
	return OK;
}

int YurkFileOp::check_data(const unsigned char *image, long len, BankManager &bank, bool strict)
{
	BankManager tmp;
	if (tmp.read_from_memory(image, len) != 0)
		return ERR_IMAGE;
	if (strict)
	{
		if (tmp.get_nbr_prog() != bank.get_nbr_prog())
			return ERR_PROG_COUNT;
		for (int i = 0; i < tmp.get_nbr_prog(); ++i)
			if (tmp[i].get_nbr_param() != bank[i].get_nbr_param())
				return ERR_PARAM_COUNT;
	}
	bank = tmp;
	return OK;
}

} // namespace plegg
