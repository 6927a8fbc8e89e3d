// Finds a named section in the bytes of an ELF64 little-endian file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sys
{

struct ElfSectionPos
{
	std::uint64_t file_offset = 0;
	std::uint64_t size = 0;
};

// False when the bytes are not a well-formed ELF64 file or have no such
// section; every header is checked against the file's size before use.
bool find_elf_section(const unsigned char *file, std::size_t file_size, const char *name, ElfSectionPos &pos);

// Reads a whole file; false on failure.
bool read_file(const std::string &path, std::vector<unsigned char> &bytes);

// The section that carries the plug-in's resources.
inline constexpr const char *RESOURCE_SECTION = "brastoke_res";

} // namespace sys
