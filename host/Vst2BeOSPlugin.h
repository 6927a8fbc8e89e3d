// The host binding completed for the platform: the plug-in directory, the
// editor binding and the platform's MIDI device component.
#pragma once

#include "host/Vst2Plugin.h"

namespace plegg
{

class Vst2BeOSPlugin : public Vst2Plugin
{
public:
	using Vst2Plugin::Vst2Plugin;

protected:
	// The host's plug-in directory, else the folder of our own image file.
	std::string do_get_plugin_dir() override;
	void request_tempo_gui_refresh_from_process(double bpm) override;
};

} // namespace plegg
