#include "plegg/SettingMgr.h"

#include "basic/CLocale.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"
#include "plegg/DspInterface.h"

namespace plegg
{

const char SettingMgr::FILE_EXT[] = "cfg.txt";

int SettingMgr::init(DspInterface &dsp, HostGuiInterface &host)
{
	_dsp = &dsp;
	_host = &host;
	return init(dsp.get_string_property("plugin_name"), dsp.get_property("plugin_version"));
}

int SettingMgr::init(const std::string &plugin_name, double plugin_version)
{
	_section_name = basic::ConfKeyInterface::mangle_name(plugin_name) + "_config_section";
	// "1.31" whatever the locale the host set.
	_version = basic::c_format("%.2lf", plugin_version);
	return 0;
}

void SettingMgr::do_save_settings_pre(basic::ConfKeyMulti &root, const std::string &, int &status)
{
	if (status == 0)
	{
		root.set_name(_section_name);
		root.add_unique(basic::ConfKeyData("version", _version));
	}
}

void SettingMgr::do_load_settings_pre(const basic::ConfKeyMulti &root, const std::string &, int &status)
{
	if (status == 0 && root.get_name() != _section_name)
	{
		status = ERR_OTHER_PLUGIN;
	}
}

} // namespace plegg
