#include "plegg/MidiChannelState.h"

#include "plegg/MidiReceiverInterface.h"

namespace plegg
{

namespace
{

constexpr double VELO_SCALE = 1.0 / 64;
constexpr double BEND_STEP_SCALE = 1.0 / 8192; // 0.0001220703125

} // namespace

int MidiChannelState::init(MidiReceiverInterface &rcv, int chn)
{
	receiver = &rcv;
	channel = chn;
	note_state.reset();
	nrpn_values.fill(0);
	pitch_bend = 0;
	bank = 0;
	program = 0;
	nrpn_id = 0;
	data_entry_type = DataEntryType_RPN;
	rpn_reset();
	return 0;
}

void MidiChannelState::rpn_reset()
{
	rpn_id = 0;
	bend_range_raw = BEND_RANGE_RAW_DEFAULT;
	tuning_raw = TUNING_RAW_DEFAULT;
	update_pitch_modifier();
	update_bend_range();
}

void MidiChannelState::update_bend_range()
{
	pitch_bend_range = raw_to_semitones(bend_range_raw);
	pitch_bend_step = pitch_bend_range * BEND_STEP_SCALE;
}

void MidiChannelState::update_pitch_modifier()
{
	pitch_modifier = raw_to_semitones(tuning_raw);
}

void MidiChannelState::set_rpn_id_msb(int v)
{
	rpn_id = replace_msb(rpn_id, v);
	data_entry_type = DataEntryType_RPN;
}

void MidiChannelState::set_rpn_id_lsb(int v)
{
	rpn_id = replace_lsb(rpn_id, v);
	data_entry_type = DataEntryType_RPN;
}

void MidiChannelState::set_nrpn_id_msb(int v)
{
	nrpn_id = replace_msb(nrpn_id, v);
	data_entry_type = DataEntryType_NRPN;
}

void MidiChannelState::set_nrpn_id_lsb(int v)
{
	nrpn_id = replace_lsb(nrpn_id, v);
	data_entry_type = DataEntryType_NRPN;
}

void MidiChannelState::set_xrpn_msb(int v)
{
	set_xrpn_part(v, true);
}

void MidiChannelState::set_xrpn_lsb(int v)
{
	set_xrpn_part(v, false);
}

void MidiChannelState::set_xrpn_part(int v, bool msb)
{
	const auto put = [v, msb](int old) { return msb ? replace_msb(old, v) : replace_lsb(old, v); };
	if (data_entry_type == DataEntryType_RPN)
	{
		switch (rpn_id)
		{
		case 0:
			bend_range_raw = put(bend_range_raw);
			update_bend_range();
			break;
		case 1:
			tuning_raw = put(tuning_raw);
			update_pitch_modifier();
			break;
		case 2:
			// Coarse tuning drops the cents of fine tuning; it has no fine part.
			if (msb)
			{
				tuning_raw = (v & 127) << 7;
				update_pitch_modifier();
			}
			break;
		case RPN_RESET:
			rpn_reset();
			break;
		default:
			// Other RPNs are unknown.
			break;
		}
	}
	else if (nrpn_id < NBR_STORED_NRPN)
	{
		auto &value = nrpn_values[static_cast<std::size_t>(nrpn_id)];
		value = static_cast<std::uint16_t>(put(value));
	}
}

int MidiChannelState::get_rpn_val() const
{
	switch (rpn_id)
	{
	case 0:
		return bend_range_raw;
	case 1:
		return tuning_raw;
	case 2:
		return tuning_raw >> 7;
	default:
		return 0;
	}
}

int MidiChannelState::get_nrpn_val() const
{
	return nrpn_id < NBR_STORED_NRPN ? nrpn_values[static_cast<std::size_t>(nrpn_id)] : 0;
}

void MidiChannelState::set_pitch_bend(int lsb, int msb)
{
	pitch_bend = pitch_bend_step * ((msb & 127) * 128 + (lsb & 127) - 8192);
	if (receiver != nullptr)
		receiver->do_send_midi_pitch_bend(channel, static_cast<float>(pitch_bend));
}

void MidiChannelState::set_program(int p)
{
	program = bank * 128 + (p & 127);
	if (receiver != nullptr)
		receiver->do_send_midi_program_change(channel, program);
}

void MidiChannelState::set_bank_msb(int v)
{
	bank = replace_lsb(bank, v);
}

void MidiChannelState::set_bank_lsb(int v)
{
	bank = replace_msb(bank, v);
}

void MidiChannelState::set_aftertouch(int note, int pressure)
{
	if (receiver != nullptr)
		receiver->do_send_midi_velo(channel, note & 127, static_cast<float>(pressure * VELO_SCALE));
}

void MidiChannelState::set_chn_pressure(int pressure)
{
	if (receiver == nullptr || note_state.none())
		return;
	const float velo = static_cast<float>(pressure * VELO_SCALE);
	for (int note = 0; note < 128; ++note)
		if (note_state.test(static_cast<std::size_t>(note)))
			receiver->do_send_midi_velo(channel, note, velo);
}

void MidiChannelState::midi_note_on(int note, int velocity, float detune)
{
	note &= 127;
	note_state.set(static_cast<std::size_t>(note));
	if (receiver != nullptr)
		receiver->do_send_midi_note_on(channel, note, static_cast<float>(note + detune + pitch_modifier), 0.0f, static_cast<float>(velocity * VELO_SCALE), true);
}

void MidiChannelState::midi_note_off(int note, int velocity)
{
	note &= 127;
	note_state.reset(static_cast<std::size_t>(note));
	if (receiver != nullptr)
		receiver->do_send_midi_note_off(channel, note, static_cast<float>(velocity * VELO_SCALE));
}

} // namespace plegg
