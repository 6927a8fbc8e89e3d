// A container of named, typed resources: the plug-in's pictures, font and
// banks, carried in a section of its own shared object.
//
// Layout (little-endian):
//   0   "BRSC"            magic
//   4   u32 version (1)
//   8   u32 count
//   12  u32 checksum      FNV-1a of bytes 24 .. total_size
//   16  u64 total_size    bytes used, from offset 0
//   24  count entries of 64 bytes:
//         u32 type code, u32 reserved (0), u64 offset, u64 size, char name[40]
//   then the payloads, each starting on an 8-byte boundary.
// Anything after total_size is padding (room for the resource tool).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sys
{

class ResourceContainer
{
public:
	static constexpr std::size_t HEADER_SIZE = 24;
	static constexpr std::size_t ENTRY_SIZE = 64;
	static constexpr std::size_t NAME_LEN = 40;

	struct Entry
	{
		std::uint32_t type = 0;
		std::string name;
		std::uint64_t offset = 0;
		std::uint64_t size = 0;
	};

	// Checks the container's index and checksum; an invalid block gives an
	// empty container (is_valid() false). The bytes are not copied: they must
	// outlive the container.
	ResourceContainer(const void *data, std::size_t size);
	// The same, owning a copy of the bytes.
	explicit ResourceContainer(std::vector<unsigned char> &&bytes);
	ResourceContainer(const ResourceContainer &) = delete;
	ResourceContainer &operator=(const ResourceContainer &) = delete;

	bool is_valid() const { return valid; }
	const std::vector<Entry> &get_entries() const { return entries; }
	// Null when missing; size receives the payload size.
	const void *find(std::uint32_t type, const char *name, std::size_t &size) const;

	// Builds a container image from entries with payloads; the result is
	// padded with zeros to at least min_size bytes.
	struct Item
	{
		std::uint32_t type;
		std::string name;
		std::vector<unsigned char> data;
	};
	static std::vector<unsigned char> build(const std::vector<Item> &items, std::size_t min_size = 0);
	static std::uint32_t checksum(const unsigned char *data, std::size_t size);

private:
	void parse(const unsigned char *data, std::size_t size);

	std::vector<unsigned char> owned;
	const unsigned char *base = nullptr;
	std::vector<Entry> entries;
	bool valid = false;
};

// Four characters of a type code, most significant first ('APIC' -> "APIC").
std::string type_code_to_text(std::uint32_t code);

} // namespace sys
