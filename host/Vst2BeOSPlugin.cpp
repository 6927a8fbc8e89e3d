#include "host/Vst2BeOSPlugin.h"

#include "sys/Resource.h"

namespace plegg
{

std::string Vst2BeOSPlugin::do_get_plugin_dir()
{
	const char *dir = static_cast<const char *>(getDirectory());
	if (dir != nullptr && dir[0] != '\0')
		return dir;
	const std::string path = sys::get_res_path();
	const std::size_t slash = path.find_last_of('/');
	if (slash == std::string::npos)
		return std::string();
	return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void Vst2BeOSPlugin::request_tempo_gui_refresh_from_process(double bpm)
{
	// The editor binding takes the tempo over once the editor exists.
	(void)bpm;
}

} // namespace plegg
