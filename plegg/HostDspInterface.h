// Services the host binding offers the engine.
#pragma once

namespace plegg
{

class MidiMgr;
class TimeInfo;

class HostDspInterface
{
public:
	virtual ~HostDspInterface() = default;
	virtual int init() = 0;
	// "can_tempo", "param_quantization"; 0 for any other name.
	virtual double get_property(const char *name) const = 0;
	virtual void get_time_info(TimeInfo &ti) const = 0;
	virtual bool is_input_connected(int pin, int chn) const = 0;
	virtual bool is_output_connected(int pin, int chn) const = 0;
	// The MIDI manager, or null when the instance has none.
	virtual MidiMgr *use_midi_interface() = 0;
};

} // namespace plegg
