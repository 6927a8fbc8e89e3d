// The base of every MIDI port (input or output): links to the engine, the
// MIDI manager and the receiver that decoded input goes to, and the slots
// the device selection and the manager drive.
#pragma once

#include "basic/SettingClientInterface.h"

namespace plegg
{

class DspInterface;
class MidiMgr;
class MidiReceiverInterface;

class MidiDevInterface : public basic::SettingClientInterface
{
public:
	MidiDevInterface() = default;
	MidiDevInterface(const MidiDevInterface &) = delete;
	MidiDevInterface &operator=(const MidiDevInterface &) = delete;
	~MidiDevInterface() override = default;

	// A port may keep keys of its own in its "port_in" / "port_out" section.
	int save_settings(basic::ConfKeyMulti &section) override;
	int load_settings(const basic::ConfKeyMulti &section) override;
	virtual int init();
	virtual int connect() = 0;
	virtual int disconnect() = 0;
	// Around each audio block, on the audio thread.
	virtual void process_pre() = 0;
	virtual void process_post() = 0;

	// Stores the manager and takes its engine and MIDI client.
	void set_midi_mgr(MidiMgr &mgr);
	MidiMgr *use_midi_mgr() const { return midi_mgr; }
	DspInterface *use_dsp() const { return dsp; }
	MidiReceiverInterface *use_midi_client() const { return midi_client; }

private:
	DspInterface *dsp = nullptr;
	MidiMgr *midi_mgr = nullptr;
	MidiReceiverInterface *midi_client = nullptr;
};

} // namespace plegg
