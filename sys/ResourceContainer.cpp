#include "sys/ResourceContainer.h"

#include <cstring>

namespace sys
{

namespace
{

std::uint32_t rd32(const unsigned char *p)
{
	std::uint32_t v;
	std::memcpy(&v, p, 4);
	return v;
}

std::uint64_t rd64(const unsigned char *p)
{
	std::uint64_t v;
	std::memcpy(&v, p, 8);
	return v;
}

void wr32(unsigned char *p, std::uint32_t v)
{
	std::memcpy(p, &v, 4);
}

void wr64(unsigned char *p, std::uint64_t v)
{
	std::memcpy(p, &v, 8);
}

std::size_t align8(std::size_t n)
{
	return (n + 7) & ~std::size_t(7);
}

} // namespace

std::uint32_t ResourceContainer::checksum(const unsigned char *data, std::size_t size)
{
	std::uint32_t h = 2166136261u;
	for (std::size_t i = 0; i < size; ++i)
	{
		h ^= data[i];
		h *= 16777619u;
	}
	return h;
}

ResourceContainer::ResourceContainer(const void *data, std::size_t size)
{
	parse(static_cast<const unsigned char *>(data), size);
}

ResourceContainer::ResourceContainer(std::vector<unsigned char> &&bytes) : owned(std::move(bytes))
{
	parse(owned.data(), owned.size());
}

void ResourceContainer::parse(const unsigned char *data, std::size_t size)
{
	valid = false;
	entries.clear();
	if (data == nullptr || size < HEADER_SIZE || std::memcmp(data, "BRSC", 4) != 0 || rd32(data + 4) != 1)
		return;
	const std::uint32_t count = rd32(data + 8);
	const std::uint64_t total = rd64(data + 16);
	if (total > size || total < HEADER_SIZE)
		return;
	if (count > (total - HEADER_SIZE) / ENTRY_SIZE)
		return;
	if (checksum(data + HEADER_SIZE, total - HEADER_SIZE) != rd32(data + 12))
		return;
	const std::uint64_t payload_start = HEADER_SIZE + std::uint64_t(count) * ENTRY_SIZE;
	std::vector<Entry> list;
	list.reserve(count);
	for (std::uint32_t i = 0; i < count; ++i)
	{
		const unsigned char *e = data + HEADER_SIZE + std::size_t(i) * ENTRY_SIZE;
		Entry entry;
		entry.type = rd32(e);
		entry.offset = rd64(e + 8);
		entry.size = rd64(e + 16);
		const char *name = reinterpret_cast<const char *>(e + 24);
		const std::size_t len = strnlen(name, NAME_LEN);
		if (len == NAME_LEN)
			return;
		entry.name.assign(name, len);
		if (entry.offset < payload_start || entry.offset % 8 != 0 || entry.offset > total || entry.size > total - entry.offset)
			return;
		list.push_back(std::move(entry));
	}
	entries = std::move(list);
	base = data;
	valid = true;
}

const void *ResourceContainer::find(std::uint32_t type, const char *name, std::size_t &size) const
{
	size = 0;
	if (!valid || name == nullptr)
		return nullptr;
	for (const Entry &e : entries)
	{
		if (e.type == type && e.name == name)
		{
			size = static_cast<std::size_t>(e.size);
			return base + e.offset;
		}
	}
	return nullptr;
}

std::vector<unsigned char> ResourceContainer::build(const std::vector<Item> &items, std::size_t min_size)
{
	std::size_t pos = align8(HEADER_SIZE + items.size() * ENTRY_SIZE);
	std::vector<std::size_t> offsets;
	for (const Item &it : items)
	{
		offsets.push_back(pos);
		pos = align8(pos + it.data.size());
	}
	const std::size_t total = pos;
	std::vector<unsigned char> out(total > min_size ? total : min_size, 0);
	std::memcpy(out.data(), "BRSC", 4);
	wr32(out.data() + 4, 1);
	wr32(out.data() + 8, static_cast<std::uint32_t>(items.size()));
	wr64(out.data() + 16, total);
	for (std::size_t i = 0; i < items.size(); ++i)
	{
		unsigned char *e = out.data() + HEADER_SIZE + i * ENTRY_SIZE;
		wr32(e, items[i].type);
		wr64(e + 8, offsets[i]);
		wr64(e + 16, items[i].data.size());
		const std::size_t n = items[i].name.size() < NAME_LEN - 1 ? items[i].name.size() : NAME_LEN - 1;
		std::memcpy(e + 24, items[i].name.data(), n);
		if (!items[i].data.empty())
			std::memcpy(out.data() + offsets[i], items[i].data.data(), items[i].data.size());
	}
	wr32(out.data() + 12, checksum(out.data() + HEADER_SIZE, total - HEADER_SIZE));
	return out;
}

std::string type_code_to_text(std::uint32_t code)
{
	std::string s(4, ' ');
	for (int i = 0; i < 4; ++i)
		s[i] = static_cast<char>((code >> (8 * (3 - i))) & 0xFF);
	return s;
}

} // namespace sys
