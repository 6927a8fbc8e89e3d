#include "host/HostDspVst2BeOS.h"

#include <cstring>

#include "host/Vst2BeOSPlugin.h"
#include "plegg/TimeInfo.h"

namespace plegg
{

double HostDspVst2BeOS::get_property(const char *name) const
{
	if (plugin == nullptr || name == nullptr)
		return 0;
	if (std::strcmp(name, "can_tempo") == 0)
	{
		const vst2::VstTimeInfo *ti = plugin->getTimeInfo(vst2::kVstTempoValid);
		return ti != nullptr && (ti->flags & vst2::kVstTempoValid) != 0 ? 1 : 0;
	}
	if (std::strcmp(name, "param_quantization") == 0)
	{
		const int q = plugin->getParameterQuantization();
		return q > 1 ? 1.0 / q : 0;
	}
	return 0;
}

void HostDspVst2BeOS::get_time_info(TimeInfo &ti) const
{
	if (plugin == nullptr)
	{
		ti.no_info = true;
		return;
	}
	const vst2::VstTimeInfo *vti = plugin->getTimeInfo(ti.tempo_flag ? vst2::kVstTempoValid : 0);
	if (vti == nullptr)
	{
		ti.no_info = true;
		return;
	}
	ti.no_info = false;
	if (ti.tempo_flag)
	{
		// A tempo that is not a finite positive number counts as none.
		if ((vti->flags & vst2::kVstTempoValid) == 0 || !(vti->tempo > 0.0 && vti->tempo < 1e6))
			ti.tempo_flag = false;
		else
			ti.tempo = vti->tempo;
	}
}

bool HostDspVst2BeOS::is_input_connected(int pin, int chn) const
{
	if (plugin == nullptr)
		return false;
	const int idx = plugin->get_input_index(pin, chn);
	return idx >= 0 && plugin->isInputConnected(idx);
}

bool HostDspVst2BeOS::is_output_connected(int pin, int chn) const
{
	if (plugin == nullptr)
		return false;
	const int idx = plugin->get_output_index(pin, chn);
	return idx >= 0 && plugin->isOutputConnected(idx);
}

MidiMgr *HostDspVst2BeOS::use_midi_interface()
{
	return plugin != nullptr ? plugin->use_midi_interface() : nullptr;
}

} // namespace plegg
