// Output ports that queue channel events of four integers (status, two data
// bytes, one extra): the receiver calls of the manager become such events.
// RPN and NRPN numbers go out in the byte order of the NRPN compatibility
// read from the manager at each call; data entry is always CC 6 then CC 38.
//
// Threads: any thread may send; the concrete port makes its queue safe.
#pragma once

#include "plegg/MidiOutInterface.h"

namespace plegg
{

class MidiOut4BPacketMixin : public MidiOutInterface
{
public:
	struct Event
	{
		int status;
		int data1;
		int data2;
		int extra;
	};

	// Every call queues all its events even if one fails and answers 1 only
	// when all were queued. Notes, pressure, bend, SysEx and reset are not
	// sent (0).
	int do_send_midi_note_on(int chn, int note, float pitch, float, float velo, bool) override;
	int do_send_midi_note_off(int chn, int note, float velo) override;
	int do_send_midi_velo(int chn, int note, float velo) override;
	int do_send_midi_pitch_bend(int chn, float semitones) override;
	int do_send_midi_program_change(int chn, long prog) override;
	int do_send_midi_rpn(int chn, int id, long val) override;
	int do_send_midi_nrpn(int chn, int id, long val) override;
	int do_send_midi_chn_cmd(int chn, int cmd, int d1, int d2) override;
	int do_send_midi_rt_cmd(int status) override;
	int do_send_midi_common_cmd(int status, int d1, int d2) override;
	int do_send_midi_sys_ex(long len, const unsigned char *data) override;
	int do_send_midi_reset() override;

protected:
	// Queues one event; true when it was queued.
	virtual bool enqueue_event(int status, int data1, int data2, int extra) = 0;
	// Queues the events of one message. The default calls enqueue_event for
	// each; a port whose queue is shared by several threads overrides it to
	// keep a message's events together.
	virtual bool enqueue_message(const Event *events, int nbr);

private:
	int send_xrpn(int chn, int msb_cc, int lsb_cc, int id, long val);
	bool is_standard() const;
};

} // namespace plegg
