// The program and bank image readers: an accepted image writes back to the
// same structure and reads again to the same bytes.
#include <cstdint>
#include <vector>

#include "plegg/BankManager.h"

namespace
{

template <class T>
void check(const std::uint8_t *data, std::size_t size)
{
	T obj;
	if (obj.read_from_memory(data, static_cast<long>(size)) != 0)
		return;
	if (obj.get_object_size() < 8 && sizeof(T) == sizeof(plegg::BankManager))
		return;
	std::vector<unsigned char> img(static_cast<std::size_t>(obj.get_object_size()), 0);
	if (obj.write_to_memory(img.data()) != 0)
		return;
	T again;
	if (again.read_from_memory(img.data(), static_cast<long>(img.size())) != 0)
		__builtin_trap();
	std::vector<unsigned char> img2(static_cast<std::size_t>(again.get_object_size()), 0);
	again.write_to_memory(img2.data());
	if (img2 != img)
		__builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	if (size < 1)
		return 0;
	if ((data[0] & 1) != 0)
		check<plegg::ProgramSlot>(data + 1, size - 1);
	else
		check<plegg::BankManager>(data + 1, size - 1);
	return 0;
}
