#include "sys/Resource.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <mutex>

#include "sys/ElfSection.h"
#include "sys/ResourceContainer.h"

// Bounds of the resource section, defined by the plug-in's own image (see
// host/ResourceBlob.S); absent (null) in programs that carry no resources.
extern "C" {
extern const unsigned char brastoke_res_begin[] __attribute__((weak, visibility("hidden")));
extern const unsigned char brastoke_res_end[] __attribute__((weak, visibility("hidden")));
}

namespace sys
{

namespace
{

// Process-wide: written once while the first instance is assembled, then
// only read. Never cleared by an instance closing, since others may use it.
struct ResState
{
	std::mutex mutex;
	std::unique_ptr<ResourceContainer> res;
	std::string path;
};

ResState &state()
{
	static ResState s;
	return s;
}

std::string real_path(const std::string &path)
{
	char buf[PATH_MAX];
	if (realpath(path.c_str(), buf) == nullptr)
		return std::string();
	return buf;
}

// A hidden function of this image, whose address dladdr maps to our file.
__attribute__((visibility("hidden"), noinline)) void own_image_marker() {}

std::string own_image_path()
{
	Dl_info info{};
	if (dladdr(reinterpret_cast<void *>(&own_image_marker), &info) == 0 || info.dli_fname == nullptr)
		return std::string();
	return real_path(info.dli_fname);
}

std::unique_ptr<ResourceContainer> open_container(const std::string &path)
{
	// The image that holds this code reads its resources in place.
	if (brastoke_res_begin != nullptr && brastoke_res_end != nullptr && path == own_image_path())
	{
		auto res = std::make_unique<ResourceContainer>(brastoke_res_begin, static_cast<std::size_t>(brastoke_res_end - brastoke_res_begin));
		return res->is_valid() ? std::move(res) : nullptr;
	}
	std::vector<unsigned char> file;
	if (!read_file(path, file))
		return nullptr;
	ElfSectionPos pos;
	if (!find_elf_section(file.data(), file.size(), RESOURCE_SECTION, pos))
		return nullptr;
	std::vector<unsigned char> bytes(file.begin() + static_cast<long>(pos.file_offset), file.begin() + static_cast<long>(pos.file_offset + pos.size));
	auto res = std::make_unique<ResourceContainer>(std::move(bytes));
	return res->is_valid() ? std::move(res) : nullptr;
}

} // namespace

int set_res_file(const std::string &path)
{
	ResState &s = state();
	std::lock_guard<std::mutex> lock(s.mutex);
	if (s.res)
		return 0;
	const std::string full = real_path(path);
	if (full.empty())
		return -1;
	auto res = open_container(full);
	if (!res)
		return -1;
	s.res = std::move(res);
	s.path = full;
	return 0;
}

int set_res_file_from_own_image()
{
	const std::string path = own_image_path();
	if (path.empty())
		return -1;
	return set_res_file(path);
}

void clear_res_file()
{
	ResState &s = state();
	std::lock_guard<std::mutex> lock(s.mutex);
	s.res.reset();
	s.path.clear();
}

const ResourceContainer *get_res_file()
{
	ResState &s = state();
	std::lock_guard<std::mutex> lock(s.mutex);
	return s.res.get();
}

std::string get_res_path()
{
	ResState &s = state();
	std::lock_guard<std::mutex> lock(s.mutex);
	return s.path;
}

unsigned int make_type_code(const char *type)
{
	unsigned int code = 0x20202020u;
	if (type == nullptr)
		return code;
	std::size_t len = 0;
	while (len < 4 && type[len] != '\0')
		++len;
	// Characters placed in reverse order from the least significant byte up.
	for (std::size_t i = 0; i < len; ++i)
	{
		const unsigned shift = 8 * static_cast<unsigned>(len - 1 - i);
		code &= ~(0xFFu << shift);
		code |= static_cast<unsigned int>(static_cast<unsigned char>(type[i])) << shift;
	}
	return code;
}

const void *get_resource(const char *type, const char *name)
{
	std::size_t size = 0;
	return get_resource(type, name, size);
}

const void *get_resource(const char *type, const char *name, std::size_t &size)
{
	size = 0;
	const ResourceContainer *res = get_res_file();
	if (res == nullptr)
		return nullptr;
	return res->find(make_type_code(type), name, size);
}

} // namespace sys
