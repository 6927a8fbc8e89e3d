#include "plegg/MidiOut4BPacketMixin.h"

#include "plegg/MidiMgr.h"

namespace plegg
{

namespace
{

constexpr int STATUS_CC = 0xB0;
constexpr int STATUS_PROGRAM = 0xC0;

} // namespace

bool MidiOut4BPacketMixin::enqueue_message(const Event *events, int nbr)
{
	bool all = true;
	for (int i = 0; i < nbr; ++i)
		all = enqueue_event(events[i].status, events[i].data1, events[i].data2, events[i].extra) && all;
	return all;
}

bool MidiOut4BPacketMixin::is_standard() const
{
	const MidiMgr *mgr = use_midi_mgr();
	return mgr == nullptr || mgr->use_persistent_midi_settings().get_nrpn_compatibility() != PersistentMidiSettings::NrpnCompatibility_OLD;
}

int MidiOut4BPacketMixin::send_xrpn(int chn, int msb_cc, int lsb_cc, int id, long val)
{
	const bool standard = is_standard();
	const int status = STATUS_CC + (chn & 15);
	const Event ev[4] = {
		{status, standard ? msb_cc : lsb_cc, (id >> 7) & 127, 0},
		{status, standard ? lsb_cc : msb_cc, id & 127, 0},
		{status, 6, static_cast<int>((val >> 7) & 127), 0},
		{status, 38, static_cast<int>(val & 127), 0}};
	return enqueue_message(ev, 4) ? 1 : 0;
}

int MidiOut4BPacketMixin::do_send_midi_rpn(int chn, int id, long val)
{
	return send_xrpn(chn, 101, 100, id, val);
}

int MidiOut4BPacketMixin::do_send_midi_nrpn(int chn, int id, long val)
{
	return send_xrpn(chn, 99, 98, id, val);
}

int MidiOut4BPacketMixin::do_send_midi_program_change(int chn, long prog)
{
	// Bank Select MSB from bits 7-13 and LSB from bits 14-20, as the input
	// side lays the bank out.
	const int status = STATUS_CC + (chn & 15);
	const Event ev[3] = {
		{status, 0, static_cast<int>((prog >> 7) & 127), 0},
		{status, 32, static_cast<int>((prog >> 14) & 127), 0},
		{STATUS_PROGRAM + (chn & 15), static_cast<int>(prog & 127), 0, 0}};
	return enqueue_message(ev, 3) ? 1 : 0;
}

int MidiOut4BPacketMixin::do_send_midi_chn_cmd(int chn, int cmd, int d1, int d2)
{
	const Event ev = {((cmd & 15) << 4) | (chn & 15), d1 & 127, d2 & 127, 0};
	return enqueue_message(&ev, 1) ? 1 : 0;
}

int MidiOut4BPacketMixin::do_send_midi_common_cmd(int status, int d1, int d2)
{
	const Event ev = {status, d1, d2, 0};
	return enqueue_message(&ev, 1) ? 1 : 0;
}

int MidiOut4BPacketMixin::do_send_midi_rt_cmd(int status)
{
	const Event ev = {status, 0, 0, 0};
	return enqueue_message(&ev, 1) ? 1 : 0;
}

int MidiOut4BPacketMixin::do_send_midi_note_on(int, int, float, float, float, bool)
{
	return 0;
}

int MidiOut4BPacketMixin::do_send_midi_note_off(int, int, float)
{
	return 0;
}

int MidiOut4BPacketMixin::do_send_midi_velo(int, int, float)
{
	return 0;
}

int MidiOut4BPacketMixin::do_send_midi_pitch_bend(int, float)
{
	return 0;
}

int MidiOut4BPacketMixin::do_send_midi_sys_ex(long, const unsigned char *)
{
	return 0;
}

int MidiOut4BPacketMixin::do_send_midi_reset()
{
	return 0;
}

} // namespace plegg
