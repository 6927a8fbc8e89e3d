// The resource container reader and the ELF section finder on arbitrary bytes.
#include <cstdint>
#include <cstring>

#include "sys/ElfSection.h"
#include "sys/ResourceContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	sys::ResourceContainer res(data, size);
	for (const auto &e : res.get_entries())
	{
		std::size_t n = 0;
		const auto *p = static_cast<const unsigned char *>(res.find(e.type, e.name.c_str(), n));
		if (p == nullptr || p < data || p + n > data + size)
			__builtin_trap();
		volatile unsigned char sink = n > 0 ? p[n - 1] : 0;
		(void)sink;
	}
	sys::ElfSectionPos pos;
	if (sys::find_elf_section(data, size, sys::RESOURCE_SECTION, pos) && pos.file_offset + pos.size > size)
		__builtin_trap();
	return 0;
}
