// A plug-in shared object opened with dlopen, and its entry function:
// VSTPluginMain first, then main (Debian's DPF builds export only main).
#pragma once

#include "vst2/aeffect.h"

#include <memory>
#include <string>

namespace plughost
{

using EntryProc = vst2::AEffect *(*)(vst2::audioMasterCallback host);

class PluginLibrary
{
public:
	// Opens the file; null with a message in err on failure.
	static std::shared_ptr<PluginLibrary> open(const std::string &path, std::string &err);
	~PluginLibrary();
	PluginLibrary(const PluginLibrary &) = delete;
	PluginLibrary &operator=(const PluginLibrary &) = delete;

	const std::string &path() const { return _path; }
	EntryProc entry() const { return _entry; }
	const char *entry_name() const { return _entry_name; }
	bool has_vst_plugin_main() const { return _has_vpm; }
	bool has_main() const { return _has_main; }
	bool has_main_plugin() const { return _has_main_plugin; }

private:
	PluginLibrary() = default;

	std::string _path;
	void *_handle = nullptr;
	EntryProc _entry = nullptr;
	const char *_entry_name = "";
	bool _has_vpm = false;
	bool _has_main = false;
	bool _has_main_plugin = false;
};

} // namespace plughost
