#include "sys/ElfSection.h"

#include <cstring>
#include <elf.h>
#include <fstream>
#include <iterator>

namespace sys
{

bool find_elf_section(const unsigned char *file, std::size_t file_size, const char *name, ElfSectionPos &pos)
{
	Elf64_Ehdr eh;
	if (file == nullptr || file_size < sizeof(eh))
		return false;
	std::memcpy(&eh, file, sizeof(eh));
	if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_ident[EI_DATA] != ELFDATA2LSB)
		return false;
	if (eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shnum == 0 || eh.e_shstrndx >= eh.e_shnum)
		return false;
	if (eh.e_shoff > file_size || std::uint64_t(eh.e_shnum) * sizeof(Elf64_Shdr) > file_size - eh.e_shoff)
		return false;
	auto section = [&](unsigned idx) {
		Elf64_Shdr sh;
		std::memcpy(&sh, file + eh.e_shoff + std::uint64_t(idx) * sizeof(Elf64_Shdr), sizeof(sh));
		return sh;
	};
	const Elf64_Shdr strtab = section(eh.e_shstrndx);
	if (strtab.sh_offset > file_size || strtab.sh_size > file_size - strtab.sh_offset)
		return false;
	const std::size_t name_len = std::strlen(name);
	for (unsigned i = 0; i < eh.e_shnum; ++i)
	{
		const Elf64_Shdr sh = section(i);
		if (sh.sh_name >= strtab.sh_size || strtab.sh_size - sh.sh_name < name_len + 1)
			continue;
		const char *sname = reinterpret_cast<const char *>(file + strtab.sh_offset + sh.sh_name);
		if (std::memcmp(sname, name, name_len + 1) != 0)
			continue;
		if (sh.sh_type == SHT_NOBITS || sh.sh_offset > file_size || sh.sh_size > file_size - sh.sh_offset)
			return false;
		pos.file_offset = sh.sh_offset;
		pos.size = sh.sh_size;
		return true;
	}
	return false;
}

bool read_file(const std::string &path, std::vector<unsigned char> &bytes)
{
	std::ifstream f(path, std::ios::binary);
	if (!f)
		return false;
	bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
	return !f.bad();
}

} // namespace sys
