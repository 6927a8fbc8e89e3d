// The plug-in's settings manager: setting files carry a root section named
// after the plug-in ("Brastoke_config_section") and a "version" key first;
// files whose root section has another name are refused.
#pragma once

#include "basic/SettingMgrInterface.h"

#include <string>

namespace plegg
{

class DspInterface;
class HostGuiInterface;

class SettingMgr : public basic::SettingMgrInterface
{
public:
	// The file-name ending of setting files, after a dot.
	static const char FILE_EXT[];

	SettingMgr() = default;
	~SettingMgr() override = default;
	SettingMgr(const SettingMgr &) = delete;
	SettingMgr &operator=(const SettingMgr &) = delete;

	// Takes the identity from the engine's "plugin_name" and "plugin_version"
	// properties. Must be called before saving or loading. Returns 0.
	int init(DspInterface &dsp, HostGuiInterface &host);
	// The same identity from a name and a version (tools and tests).
	int init(const std::string &plugin_name, double plugin_version);

	DspInterface *get_dsp() const { return _dsp; }
	HostGuiInterface *get_host() const { return _host; }
	const std::string &get_section_name() const { return _section_name; }
	const std::string &get_version() const { return _version; }

protected:
	void do_load_settings_pre(const basic::ConfKeyMulti &root, const std::string &path, int &status) override;
	void do_save_settings_pre(basic::ConfKeyMulti &root, const std::string &path, int &status) override;

private:
	DspInterface *_dsp = nullptr;
	HostGuiInterface *_host = nullptr;
	std::string _section_name;
	std::string _version;
};

} // namespace plegg
