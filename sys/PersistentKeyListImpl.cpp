#include "sys/PersistentKeyListImpl.h"

#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"
#include "sys/PersistentKeyList.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <set>

#include <fcntl.h>
#include <chrono>
#include <thread>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys
{

namespace
{

const char open_error_text[] = "sys::PersistentKeyList::PersistentKeyList () : Can't open file.";
const char root_name[] = "PersistentKeys";

// Makes the folder unless it exists; true when it is a folder afterwards.
bool make_folder(const std::string &path, mode_t mode)
{
	if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST)
	{
		return false;
	}
	struct stat st;
	return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_hex(char c)
{
	return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hex_value(char c)
{
	return (c <= '9') ? c - '0' : (c | 0x20) - 'a' + 10;
}

bool write_all(int fd, const std::string &text)
{
	size_t done = 0;
	while (done < text.size())
	{
		const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
		if (n < 0)
		{
			if (errno == EINTR)
			{
				continue;
			}
			return false;
		}
		done += static_cast<size_t>(n);
	}
	return true;
}

// Holds an exclusive advisory lock on a file for its lifetime. The lock
// belongs to this open file description, so two objects of one process
// exclude each other as two processes do.
class FileLock
{
public:
	// Waits at most max_wait_ms for the lock (-1: as long as it takes).
	FileLock(const std::string &path, int max_wait_ms)
	:	_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
	{
		if (_fd < 0)
		{
			return;
		}
		if (max_wait_ms < 0)
		{
			int r;
			do
			{
				r = ::flock(_fd, LOCK_EX);
			}
			while (r != 0 && errno == EINTR);
			_locked = (r == 0);
			return;
		}
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(max_wait_ms);
		while (true)
		{
			if (::flock(_fd, LOCK_EX | LOCK_NB) == 0)
			{
				_locked = true;
				return;
			}
			if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
			{
				return;
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
	}
	~FileLock()
	{
		if (_fd >= 0)
		{
			::close(_fd); // releases the lock
		}
	}
	FileLock(const FileLock &) = delete;
	FileLock &operator=(const FileLock &) = delete;

	bool is_locked() const { return _locked; }

private:
	int _fd;
	bool _locked = false;
};

} // namespace

PersistentKeyListImpl::PersistentKeyListImpl(const std::string &list_name, bool create)
{
	const std::string base = find_settings_dir();
	if (base.empty())
	{
		throw open_error_text;
	}
	if (create && !make_folder(base, 0700))
	{
		throw open_error_text;
	}
	// "Dravimor\Brastoke" is the folder Dravimor/Brastoke.
	std::string folder = base;
	bool any = false;
	size_t pos = 0;
	while (pos <= list_name.size())
	{
		size_t end = list_name.find_first_of("\\/", pos);
		if (end == std::string::npos)
		{
			end = list_name.size();
		}
		const std::string part = list_name.substr(pos, end - pos);
		pos = end + 1;
		if (part.empty())
		{
			continue;
		}
		if (part == "." || part == "..")
		{
			throw open_error_text;
		}
		folder += '/';
		folder += part;
		any = true;
		if (create && !make_folder(folder, 0764))
		{
			throw open_error_text;
		}
	}
	if (!any)
	{
		throw open_error_text;
	}
	_folder = folder;
	_store_path = folder + '/' + gen_file_name;
	_lock_path = _store_path + ".lock";

	const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0);
	const int fd = ::open(_store_path.c_str(), flags, 0600); // as the replaced store (mkostemp)
	if (fd < 0)
	{
		throw open_error_text;
	}
	::close(fd);
}

std::string PersistentKeyListImpl::find_settings_dir()
{
	const char *xdg = std::getenv("XDG_CONFIG_HOME");
	// A relative XDG_CONFIG_HOME is invalid and ignored.
	if (xdg != nullptr && xdg[0] == '/')
	{
		return xdg;
	}
	const char *home = std::getenv("HOME");
	if (home != nullptr && home[0] == '/')
	{
		return std::string(home) + "/.config";
	}
	return std::string();
}

int PersistentKeyListImpl::get_key(const std::string &key, std::string &value) const
{
	try
	{
		Records records;
		if (!read_records(records))
		{
			return -1;
		}
		for (const auto &r : records)
		{
			if (r.first == key)
			{
				value = r.second;
				return 0;
			}
		}
	}
	catch (...)
	{
	}
	return -1;
}

int PersistentKeyListImpl::set_key(const std::string &key, const std::string &value, int max_wait_ms)
{
	if (key.empty())
	{
		return -1;
	}
	try
	{
		FileLock lock(_lock_path, max_wait_ms);
		if (!lock.is_locked())
		{
			return -1;
		}
		// Re-read under the lock: another writer may have added keys since.
		Records records;
		if (!read_records(records))
		{
			return -1;
		}
		bool found = false;
		for (auto &r : records)
		{
			if (r.first == key)
			{
				r.second = value;
				found = true;
				break;
			}
		}
		if (!found)
		{
			records.emplace_back(key, value);
		}
		return write_records(records) ? 0 : -1;
	}
	catch (...)
	{
		return -1;
	}
}

bool PersistentKeyListImpl::read_records(Records &records) const
{
	records.clear();
	const int fd = ::open(_store_path.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
	{
		return errno == ENOENT;
	}
	std::string text;
	char buf[4096];
	bool ok = true;
	while (true)
	{
		const ssize_t n = ::read(fd, buf, sizeof(buf));
		if (n > 0)
		{
			text.append(buf, static_cast<size_t>(n));
		}
		else if (n == 0)
		{
			break;
		}
		else if (errno != EINTR)
		{
			ok = false;
			break;
		}
	}
	::close(fd);
	if (ok && !parse_records(records, text))
	{
		records.clear();
	}
	return ok;
}

bool PersistentKeyListImpl::write_records(const Records &records) const
{
	const std::string text = format_records(records);
	std::string tmp = _store_path + ".XXXXXX";
	const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
	if (fd < 0)
	{
		return false;
	}
	bool ok = write_all(fd, text);
	ok = (::fsync(fd) == 0) && ok;
	ok = (::close(fd) == 0) && ok;
	ok = ok && (::rename(tmp.c_str(), _store_path.c_str()) == 0);
	if (!ok)
	{
		::unlink(tmp.c_str());
	}
	return ok;
}

std::string PersistentKeyListImpl::format_records(const Records &records)
{
	basic::ConfKeyMulti root(root_name);
	root.set_comment("Preferences kept from one run to the next: name = value, %XX for special bytes.");
	for (const auto &r : records)
	{
		root.push_back(basic::ConfKeyData(encode(r.first), encode(r.second)));
	}
	std::string text;
	root.write_to_string(text);
	text += '\n';
	return text;
}

bool PersistentKeyListImpl::parse_records(Records &records, const std::string &text)
{
	records.clear();
	int status = 0;
	std::unique_ptr<basic::ConfKeyInterface> key;
	try
	{
		key.reset(basic::ConfKeyFactory::get_instance().create_key(text, status));
	}
	catch (...)
	{
		return false;
	}
	if (!key || status != 0 || key->get_name() != root_name)
	{
		return false;
	}
	const auto *root = dynamic_cast<const basic::ConfKeyMulti *>(key.get());
	if (root == nullptr)
	{
		// An empty store reads back as a data key holding an empty list.
		const auto *data = dynamic_cast<const basic::ConfKeyData *>(key.get());
		const auto *list = (data != nullptr)
			? dynamic_cast<const basic::ConfKeyContentMulti *>(&data->use_content())
			: nullptr;
		return list != nullptr && list->get_nbr_contents() == 0;
	}
	std::set<std::string> seen;
	for (long i = 0; i < root->get_nbr_keys(); ++i)
	{
		const auto *data = dynamic_cast<const basic::ConfKeyData *>(&root->use_key(i));
		const auto *text_value = (data != nullptr)
			? dynamic_cast<const basic::ConfKeyContentString *>(&data->use_content())
			: nullptr;
		if (text_value == nullptr)
		{
			continue; // not a record of ours
		}
		// The first record of a name wins, as look-ups in the tree do.
		std::string name = decode(data->get_name());
		if (seen.insert(name).second)
		{
			records.emplace_back(name, decode(text_value->get_text()));
		}
	}
	return true;
}

std::string PersistentKeyListImpl::encode(const std::string &text)
{
	static const char digits[] = "0123456789ABCDEF";
	std::string out;
	out.reserve(text.size());
	for (const char c : text)
	{
		const auto u = static_cast<unsigned char>(c);
		const bool special = u < 0x20 || u == 0x7F || c == '%' || c == '"' || c == '=' || c == '{' || c == '}'
			|| c == '/' || c == '\\';
		if (special)
		{
			out += '%';
			out += digits[u >> 4];
			out += digits[u & 15];
		}
		else
		{
			out += c;
		}
	}
	return out;
}

std::string PersistentKeyListImpl::decode(const std::string &text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); ++i)
	{
		if (text[i] == '%' && i + 2 < text.size() && is_hex(text[i + 1]) && is_hex(text[i + 2]))
		{
			out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
			i += 2;
		}
		else
		{
			out += text[i];
		}
	}
	return out;
}

} // namespace sys
