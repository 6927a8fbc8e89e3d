// The running state of one MIDI channel: the message parts MIDI spreads over
// several messages (RPN and NRPN numbers, 14-bit data entry, bank, bend
// range, tuning, held notes), turned into calls on a receiver once complete.
//
// Threads: touched only by the thread that delivers its port's input (the
// host's audio thread for host events). No lock, no allocation.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

namespace plegg
{

class MidiReceiverInterface;

class MidiChannelState
{
public:
	// Which number CC 6 and CC 38 write to.
	enum DataEntryType
	{
		DataEntryType_RPN = 0,
		DataEntryType_NRPN = 1
	};

	static constexpr int NBR_STORED_NRPN = 256;
	static constexpr int BEND_RANGE_RAW_DEFAULT = 66 << 7; // 2 semitones
	static constexpr int TUNING_RAW_DEFAULT = 64 << 7;     // no offset
	static constexpr int RPN_RESET = 16383;

	MidiChannelState() = default;
	virtual ~MidiChannelState() = default;

	int init(MidiReceiverInterface &rcv, int chn);
	void rpn_reset();

	void set_rpn_id_msb(int v);
	void set_rpn_id_lsb(int v);
	void set_nrpn_id_msb(int v);
	void set_nrpn_id_lsb(int v);
	// Data entry: CC 6 (MSB) and CC 38 (LSB).
	void set_xrpn_msb(int v);
	void set_xrpn_lsb(int v);

	DataEntryType get_data_entry_type() const { return data_entry_type; }
	int get_rpn_id() const { return rpn_id; }
	int get_nrpn_id() const { return nrpn_id; }
	int get_rpn_val() const;
	int get_nrpn_val() const;

	void set_pitch_bend(int lsb, int msb);
	double get_pitch_bend() const { return pitch_bend; }
	double get_pitch_bend_range() const { return pitch_bend_range; }
	double get_pitch_modifier() const { return pitch_modifier; }

	// The bank keeps the Bank Select MSB in bits 0-6 and the LSB in bits
	// 7-13, the layout the output side writes back.
	void set_program(int p);
	int get_program() const { return program; }
	void set_bank_msb(int v);
	void set_bank_lsb(int v);
	int get_bank() const { return bank; }

	void set_aftertouch(int note, int pressure);
	void set_chn_pressure(int pressure);
	// note is 0 to 127; pitches and detune in semitones.
	void midi_note_on(int note, int velocity, float detune);
	void midi_note_off(int note, int velocity);
	bool is_note_on(int note) const { return note_state.test(static_cast<std::size_t>(note & 127)); }

private:
	// Data entry into the selected RPN or NRPN: its high or its low 7 bits.
	void set_xrpn_part(int v, bool msb);
	static int replace_msb(int val, int msb) { return (val & 127) | ((msb & 127) << 7); }
	static int replace_lsb(int val, int lsb) { return (val & ~127 & 0x3FFF) | (lsb & 127); }
	// MSB - 64 + LSB / 100, the rule of both raw 14-bit values.
	static double raw_to_semitones(int raw) { return ((raw >> 7) - 64) + 0.01 * (raw & 127); }
	void update_bend_range();
	void update_pitch_modifier();

	MidiReceiverInterface *receiver = nullptr;
	int channel = 0;
	std::bitset<128> note_state;
	DataEntryType data_entry_type = DataEntryType_RPN;
	int bank = 0;
	int program = 0;
	int rpn_id = 0;
	int bend_range_raw = BEND_RANGE_RAW_DEFAULT;
	int tuning_raw = TUNING_RAW_DEFAULT;
	int nrpn_id = 0;
	std::array<std::uint16_t, NBR_STORED_NRPN> nrpn_values{};
	double pitch_bend = 0;
	double pitch_bend_range = 2;
	double pitch_bend_step = 2 * (1.0 / 8192);
	double pitch_modifier = 0;
};

} // namespace plegg
