#include "host/Vst2MidiIn.h"

#include "host/Vst2Plugin.h"
#include "plegg/DspInterface.h"
#include "plegg/MidiMgr.h"
#include "plegg/MidiReceiverInterface.h"

namespace plegg
{

int Vst2MidiIn::connect()
{
	active.store(true, std::memory_order_release);
	return 0;
}

int Vst2MidiIn::disconnect()
{
	active.store(false, std::memory_order_release);
	return 0;
}

void Vst2MidiIn::process_midi_event(const vst2::VstMidiEvent &ev)
{
	if (MidiReceiverInterface *client = use_midi_client())
		client->do_set_time_stamp(ev.deltaFrames);
	const int status = static_cast<unsigned char>(ev.midiData[0]);
	const int chn = status & 15;
	const int d1 = ev.midiData[1] & 127;
	const int d2 = ev.midiData[2] & 127;
	MidiChannelState &state = use_channel(chn);
	switch (status >> 4)
	{
	case 9:
		if (d2 != 0)
		{
			// The detune byte is in cents.
			state.midi_note_on(d1, d2, static_cast<float>(ev.detune * 0.01));
			break;
		}
		[[fallthrough]];
	case 8:
		state.midi_note_off(d1, d2);
		break;
	case 10:
		state.set_aftertouch(d1, d2);
		break;
	case 11:
		process_control_change(chn, d1, d2);
		break;
	case 12:
		state.set_program(d1);
		break;
	case 13:
		state.set_chn_pressure(d1);
		break;
	case 14:
		state.set_pitch_bend(d1, d2);
		break;
	default:
		// Running status is not part of VST events; 0xF0 and above are
		// SysEx and system messages.
		break;
	}
}

void Vst2MidiIn::control_change_2_param(long ctrl_id, int value14)
{
	MidiMgr *mgr = use_midi_mgr();
	if (mgr == nullptr)
		return;
	int param = -1;
	float norm = -1;
	mgr->autobind_cc_2_param(ctrl_id, value14, param, norm);
	if (param < 0)
		return;
	DspInterface *dsp = use_dsp();
	const int nbr = dsp != nullptr ? dsp->get_nbr_param() : 0;
	if (param < nbr)
	{
		if (Vst2Plugin *plugin = use_plugin())
			plugin->set_param_pi(param, norm, MidiMgr::PRIO_MIDI);
	}
	else if (dsp != nullptr)
		dsp->send_scalar_msg(param, norm);
}

} // namespace plegg
