// The host services the engine sees, forwarded to the host binding.
#pragma once

#include "plegg/HostDspInterface.h"

namespace plegg
{

class Vst2BeOSPlugin;

class HostDspVst2BeOS : public HostDspInterface
{
public:
	void set_plugin(Vst2BeOSPlugin &p) { plugin = &p; }

	int init() override { return 0; }
	double get_property(const char *name) const override;
	void get_time_info(TimeInfo &ti) const override;
	bool is_input_connected(int pin, int chn) const override;
	bool is_output_connected(int pin, int chn) const override;
	MidiMgr *use_midi_interface() override;

private:
	Vst2BeOSPlugin *plugin = nullptr;
};

} // namespace plegg
