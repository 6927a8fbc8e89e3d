// The MIDI input that travels through the host: the VstMidiEvents given to
// processEvents are decoded at once, on the calling thread (the host's
// audio thread), into the channel states, the engine's receiver and the
// controller bindings. A controller bound to a parameter sets it with the
// MIDI priority (125) and is not reported to the host.
#pragma once

#include <atomic>

#include "host/Vst2Component.h"
#include "plegg/MidiInCcMixin.h"
#include "vst2/aeffect.h"

namespace plegg
{

class Vst2MidiIn : public MidiInCcMixin, public Vst2Component
{
public:
	int connect() override;
	int disconnect() override;
	bool is_active() const { return active.load(std::memory_order_acquire); }
	void process_pre() override {}
	void process_post() override {}
	void start_new_block() { reset_time_stamp(0); }

	// Audio thread. SysEx and system messages (status 0xF0 and above) are
	// ignored.
	void process_midi_event(const vst2::VstMidiEvent &ev);

protected:
	void do_reset_time_stamp(long t) override { (void)t; }
	void control_change_2_param(long ctrl_id, int value14) override;

private:
	std::atomic<bool> active{false};
};

} // namespace plegg
