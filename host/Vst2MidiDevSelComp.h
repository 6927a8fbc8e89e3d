// The device-selection component of the MIDI that travels through the
// host: one input, "VST MIDI In interface", and one output, "VST MIDI Out
// interface". Its ports are members and live as long as the component.
#pragma once

#include "host/Vst2Component.h"
#include "host/Vst2MidiIn.h"
#include "host/Vst2MidiOut.h"
#include "plegg/MidiDevSelCompInterface.h"

namespace plegg
{

class Vst2MidiDevSelComp : public MidiDevSelCompInterface, public Vst2Component
{
public:
	static const char DEV_NAME_IN[];
	static const char DEV_NAME_OUT[];

	// The input's init, then (when it succeeded) the output's.
	int init() override;
	Vst2MidiIn &use_vst_in() { return vst_in; }
	Vst2MidiOut &use_vst_out() { return vst_out; }

protected:
	int do_configure_dev_in(int) override { return 0; }
	int do_configure_dev_out(int) override { return 0; }
	int do_scan_dev_in(int first) override;
	int do_scan_dev_out(int first) override;
	int do_select_dev_in(int id, MidiInInterface *&port) override;
	int do_select_dev_out(int id, MidiOutInterface *&port) override;
	int do_remove_dev_in() override { return 0; }
	int do_remove_dev_out() override { return 0; }
	// Gives both ports the plug-in and the dispatcher's MIDI manager.
	void do_set_plugin(Vst2Plugin &p) override;

private:
	Vst2MidiIn vst_in;
	Vst2MidiOut vst_out;
};

} // namespace plegg
