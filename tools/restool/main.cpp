// brastoke-res: builds resource containers, and lists, extracts and replaces
// the resources of a built plug-in.
//
//   brastoke-res pack OUT.bin [--slack BYTES] TYPE:NAME=FILE...
//   brastoke-res list PLUGIN.so
//   brastoke-res extract PLUGIN.so TYPE NAME OUT
//   brastoke-res replace PLUGIN.so TYPE NAME FILE OUT.so
//
// Replacing rewrites the resource section in place, so the new container must
// fit the room the build reserved; the result loads like the original.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sys/ElfSection.h"
#include "sys/Resource.h"
#include "sys/ResourceContainer.h"

namespace
{

int usage()
{
	std::fprintf(stderr,
	    "usage:\n"
	    "  brastoke-res pack OUT.bin [--slack BYTES] TYPE:NAME=FILE...\n"
	    "  brastoke-res list PLUGIN.so\n"
	    "  brastoke-res extract PLUGIN.so TYPE NAME OUT\n"
	    "  brastoke-res replace PLUGIN.so TYPE NAME FILE OUT.so\n");
	return 2;
}

bool write_file(const std::string &path, const unsigned char *data, std::size_t size)
{
	std::ofstream f(path, std::ios::binary | std::ios::trunc);
	if (!f)
		return false;
	f.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
	f.close();
	return !f.fail();
}

// A plug-in file, its resource section and the container in it.
struct Image
{
	std::vector<unsigned char> file;
	sys::ElfSectionPos pos;
	std::unique_ptr<sys::ResourceContainer> res;
};

bool open_image(const char *path, Image &img)
{
	if (!sys::read_file(path, img.file))
	{
		std::fprintf(stderr, "brastoke-res: cannot read %s\n", path);
		return false;
	}
	if (!sys::find_elf_section(img.file.data(), img.file.size(), sys::RESOURCE_SECTION, img.pos))
	{
		std::fprintf(stderr, "brastoke-res: %s has no resource section\n", path);
		return false;
	}
	img.res = std::make_unique<sys::ResourceContainer>(img.file.data() + img.pos.file_offset, img.pos.size);
	if (!img.res->is_valid())
	{
		std::fprintf(stderr, "brastoke-res: the resource container of %s is corrupt\n", path);
		return false;
	}
	return true;
}

std::vector<sys::ResourceContainer::Item> items_of(const sys::ResourceContainer &res)
{
	std::vector<sys::ResourceContainer::Item> items;
	for (const auto &e : res.get_entries())
	{
		std::size_t size = 0;
		const auto *data = static_cast<const unsigned char *>(res.find(e.type, e.name.c_str(), size));
		items.push_back({e.type, e.name, std::vector<unsigned char>(data, data + size)});
	}
	return items;
}

int cmd_pack(int argc, char **argv)
{
	if (argc < 3)
		return usage();
	const std::string out = argv[2];
	std::size_t slack = 0;
	std::vector<sys::ResourceContainer::Item> items;
	for (int i = 3; i < argc; ++i)
	{
		if (std::strcmp(argv[i], "--slack") == 0 && i + 1 < argc)
		{
			slack = std::stoul(argv[++i]);
			continue;
		}
		const std::string item_arg = argv[i];
		const std::size_t colon = item_arg.find(':');
		const std::size_t eq = item_arg.find('=');
		if (colon == std::string::npos || eq == std::string::npos || eq < colon)
			return usage();
		sys::ResourceContainer::Item item;
		item.type = sys::make_type_code(item_arg.substr(0, colon).c_str());
		item.name = item_arg.substr(colon + 1, eq - colon - 1);
		if (item.name.size() >= sys::ResourceContainer::NAME_LEN)
		{
			std::fprintf(stderr, "brastoke-res: name too long: %s\n", item.name.c_str());
			return 1;
		}
		if (!sys::read_file(item_arg.substr(eq + 1), item.data))
		{
			std::fprintf(stderr, "brastoke-res: cannot read %s\n", item_arg.substr(eq + 1).c_str());
			return 1;
		}
		items.push_back(std::move(item));
	}
	std::vector<unsigned char> bytes = sys::ResourceContainer::build(items);
	bytes.resize(bytes.size() + slack, 0);
	if (!write_file(out, bytes.data(), bytes.size()))
	{
		std::fprintf(stderr, "brastoke-res: cannot write %s\n", out.c_str());
		return 1;
	}
	return 0;
}

int cmd_list(int argc, char **argv)
{
	if (argc != 3)
		return usage();
	Image img;
	if (!open_image(argv[2], img))
		return 1;
	const sys::ResourceContainer &res = *img.res;
	std::printf("%-6s %-40s %10s\n", "type", "name", "bytes");
	for (const auto &e : res.get_entries())
		std::printf("%-6s %-40s %10llu\n", sys::type_code_to_text(e.type).c_str(), e.name.c_str(), static_cast<unsigned long long>(e.size));
	std::printf("%zu resources, section of %llu bytes\n", res.get_entries().size(), static_cast<unsigned long long>(img.pos.size));
	return 0;
}

int cmd_extract(int argc, char **argv)
{
	if (argc != 6)
		return usage();
	Image img;
	if (!open_image(argv[2], img))
		return 1;
	const sys::ResourceContainer &res = *img.res;
	std::size_t size = 0;
	const void *data = res.find(sys::make_type_code(argv[3]), argv[4], size);
	if (data == nullptr)
	{
		std::fprintf(stderr, "brastoke-res: no resource %s %s\n", argv[3], argv[4]);
		return 1;
	}
	if (!write_file(argv[5], static_cast<const unsigned char *>(data), size))
	{
		std::fprintf(stderr, "brastoke-res: cannot write %s\n", argv[5]);
		return 1;
	}
	return 0;
}

int cmd_replace(int argc, char **argv)
{
	if (argc != 7)
		return usage();
	Image img;
	if (!open_image(argv[2], img))
		return 1;
	const sys::ResourceContainer &res = *img.res;
	std::vector<unsigned char> data;
	if (!sys::read_file(argv[5], data))
	{
		std::fprintf(stderr, "brastoke-res: cannot read %s\n", argv[5]);
		return 1;
	}
	auto items = items_of(res);
	const unsigned type = sys::make_type_code(argv[3]);
	bool found = false;
	for (auto &it : items)
		if (it.type == type && it.name == argv[4])
		{
			it.data = data;
			found = true;
		}
	if (!found)
		items.push_back({type, argv[4], data});
	const std::vector<unsigned char> bytes = sys::ResourceContainer::build(items, img.pos.size);
	if (bytes.size() > img.pos.size)
	{
		std::fprintf(stderr, "brastoke-res: the new resources need %zu bytes; the section holds %llu\n", bytes.size(), static_cast<unsigned long long>(img.pos.size));
		return 1;
	}
	std::memcpy(img.file.data() + img.pos.file_offset, bytes.data(), bytes.size());
	if (!write_file(argv[6], img.file.data(), img.file.size()))
	{
		std::fprintf(stderr, "brastoke-res: cannot write %s\n", argv[6]);
		return 1;
	}
	return 0;
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 2)
		return usage();
	const std::string cmd = argv[1];
	try
	{
		if (cmd == "pack")
			return cmd_pack(argc, argv);
		if (cmd == "list")
			return cmd_list(argc, argv);
		if (cmd == "extract")
			return cmd_extract(argc, argv);
		if (cmd == "replace")
			return cmd_replace(argc, argv);
	}
	catch (const std::exception &e)
	{
		std::fprintf(stderr, "brastoke-res: %s\n", e.what());
		return 1;
	}
	return usage();
}
