#include "tools/plughost/PluginLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace plughost
{

namespace
{

// Looks a symbol up in the object itself only: dlsym on a handle also
// searches its dependencies, and "main" would then find the executable's.
void *own_symbol(void *handle, const char *name)
{
	void *sym = dlsym(handle, name);
	if (sym == nullptr)
	{
		return nullptr;
	}
	struct link_map *map = nullptr;
	Dl_info info{};
	if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || dladdr(sym, &info) == 0)
	{
		return nullptr;
	}
	return info.dli_fbase == reinterpret_cast<void *>(map->l_addr) ? sym : nullptr;
}

} // namespace

std::shared_ptr<PluginLibrary> PluginLibrary::open(const std::string &path, std::string &err)
{
	// A path without a slash would be searched in the library path.
	const std::string p = path.find('/') == std::string::npos ? "./" + path : path;
	// RTLD_NODELETE: the object stays mapped after dlclose, so threads or
	// leftovers a plug-in keeps past effClose stay valid, and sanitizer
	// reports can still name its functions.
	void *h = dlopen(p.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
	if (h == nullptr)
	{
		const char *e = dlerror();
		err = std::string("cannot load ") + path + ": " + (e != nullptr ? e : "unknown error");
		return nullptr;
	}
	std::shared_ptr<PluginLibrary> lib(new PluginLibrary);
	lib->_path = path;
	lib->_handle = h;
	void *vpm = own_symbol(h, "VSTPluginMain");
	void *mn = own_symbol(h, "main");
	lib->_has_main_plugin = own_symbol(h, "main_plugin") != nullptr;
	lib->_has_vpm = vpm != nullptr;
	lib->_has_main = mn != nullptr;
	if (vpm != nullptr)
	{
		lib->_entry = reinterpret_cast<EntryProc>(vpm);
		lib->_entry_name = "VSTPluginMain";
	}
	else if (mn != nullptr)
	{
		lib->_entry = reinterpret_cast<EntryProc>(mn);
		lib->_entry_name = "main";
	}
	else
	{
		err = path + ": neither VSTPluginMain nor main is exported (not a VST 2 plug-in)";
		return nullptr;
	}
	return lib;
}

PluginLibrary::~PluginLibrary()
{
	if (_handle != nullptr)
	{
		dlclose(_handle);
	}
}

} // namespace plughost
