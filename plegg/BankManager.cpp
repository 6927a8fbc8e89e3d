#include "plegg/BankManager.h"

#include "basic/BigEndian.h"

namespace plegg
{

void BankManager::set_nbr_prog(int n)
{
	slots.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
}

bool BankManager::has_same_structure(const BankManager &other) const
{
	if (slots.size() != other.slots.size())
		return false;
	for (std::size_t i = 0; i < slots.size(); ++i)
		if (!slots[i].has_same_structure(other.slots[i]))
			return false;
	return true;
}

long BankManager::get_object_size() const
{
	const long prog_size = slots.empty() ? 0 : slots[0].get_object_size();
	return 8 + static_cast<long>(slots.size()) * prog_size;
}

int BankManager::write_to_memory(unsigned char *data) const
{
	if (slots.empty())
		return -1;
	const long prog_size = slots[0].get_object_size();
	// Program 0's size is the stride: a bank whose programs differ in size
	// cannot be written without overrunning its own image.
	for (const ProgramSlot &s : slots)
		if (s.get_object_size() != prog_size)
			return -1;
	basic::write_be32(data, static_cast<std::uint32_t>(slots.size()));
	basic::write_be32(data + 4, static_cast<std::uint32_t>(prog_size));
	for (std::size_t i = 0; i < slots.size(); ++i)
		slots[i].write_to_memory(data + 8 + static_cast<long>(i) * prog_size);
	return 0;
}

int BankManager::read_from_memory(const unsigned char *data, long len)
{
	if (data == nullptr || len < 8)
		return -1;
	const std::int32_t nbr_prog = static_cast<std::int32_t>(basic::read_be32(data));
	const std::uint32_t prog_size = basic::read_be32(data + 4);
	if (nbr_prog < 0)
		return -1;
	// Every program must lie inside the image; checked before anything
	// is allocated, so a forged count cannot ask for more than len holds.
	if (nbr_prog > 0 && (prog_size < 12 || 8 + static_cast<long long>(nbr_prog) * prog_size > len))
		return -1;
	std::vector<ProgramSlot> tmp(static_cast<std::size_t>(nbr_prog));
	for (int i = 0; i < nbr_prog; ++i)
	{
		if (tmp[i].read_from_memory(data + 8 + static_cast<long long>(i) * prog_size, prog_size) != 0)
			return -1;
		// Every program of a bank has the same structure as program 0.
		if (i > 0 && !tmp[i].has_same_structure(tmp[0]))
			return -1;
	}
	slots = std::move(tmp);
	return 0;
}

} // namespace plegg
