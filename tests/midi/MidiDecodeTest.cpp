// Channel state, control-change decoding and output packets, in both NRPN
// byte orders.
#include <gtest/gtest.h>

#include "tests/midi/MidiFakes.h"

using miditest::MgrRig;
using miditest::RecordingIn;
using miditest::RecordingOut;
using miditest::RecordingReceiver;
using plegg::MidiChannelState;
using plegg::MidiMgr;
using plegg::PersistentMidiSettings;

namespace
{

constexpr long NRPN = 99L * 65536;
constexpr long RPN = 101L * 65536;

struct InRig : MgrRig
{
	explicit InRig(PersistentMidiSettings::NrpnCompatibility c = PersistentMidiSettings::NrpnCompatibility_STANDARD) : MgrRig(c)
	{
		in.set_midi_mgr(*mgr);
		EXPECT_EQ(in.init(), 0);
	}
	void cc(int c, int v, int chn = 0) { in.process_control_change(chn, c, v); }
	RecordingIn in;
};

struct OutRig : MgrRig
{
	explicit OutRig(PersistentMidiSettings::NrpnCompatibility c = PersistentMidiSettings::NrpnCompatibility_STANDARD) : MgrRig(c) { out.set_midi_mgr(*mgr); }
	RecordingOut out;
};

using Ev = std::array<int, 4>;

} // namespace

TEST(MidiChannelState, BendRangeFromRpn0AndFullBend)
{
	RecordingReceiver rcv;
	MidiChannelState s;
	ASSERT_EQ(s.init(rcv, 3), 0);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend_range(), 2.0);
	s.set_rpn_id_msb(0);
	s.set_rpn_id_lsb(0);
	s.set_xrpn_msb(76);
	s.set_xrpn_lsb(50);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend_range(), 12.5);
	EXPECT_EQ(s.get_rpn_val(), 76 * 128 + 50);
	s.set_pitch_bend(127, 127);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend(), 12.5 * 8191 / 8192);
	s.set_pitch_bend(0, 64);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend(), 0.0);
	ASSERT_EQ(rcv.calls.size(), 2u);
	EXPECT_EQ(rcv.calls[0], basic::c_format("bend 3 %.9g", static_cast<float>(12.5 * 8191 / 8192)));
	EXPECT_EQ(rcv.calls[1], "bend 3 0");
}

TEST(MidiChannelState, CoarseAndFineTuning)
{
	RecordingReceiver rcv;
	MidiChannelState s;
	s.init(rcv, 0);
	// RPN 1: 64 + 25 cents.
	s.set_rpn_id_lsb(1);
	s.set_xrpn_msb(64);
	s.set_xrpn_lsb(25);
	EXPECT_DOUBLE_EQ(s.get_pitch_modifier(), 0.25);
	// RPN 2 has no fine part: its LSB changes nothing.
	s.set_rpn_id_lsb(2);
	s.set_xrpn_lsb(99);
	EXPECT_DOUBLE_EQ(s.get_pitch_modifier(), 0.25);
	// RPN 2 MSB 60: -4 semitones, the cents of RPN 1 are gone.
	s.set_xrpn_msb(60);
	EXPECT_DOUBLE_EQ(s.get_pitch_modifier(), -4.0);
	EXPECT_EQ(s.get_rpn_val(), 60);
	s.midi_note_on(60, 64, 0.5f);
	EXPECT_EQ(rcv.calls.back(), "note_on 0 60 56.5 0 1 1");
}

TEST(MidiChannelState, RpnResetAndUnknownRpn)
{
	RecordingReceiver rcv;
	MidiChannelState s;
	s.init(rcv, 0);
	s.set_xrpn_msb(70); // RPN 0 is selected after init
	s.set_rpn_id_lsb(2);
	s.set_xrpn_msb(70);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend_range(), 6.0);
	EXPECT_DOUBLE_EQ(s.get_pitch_modifier(), 6.0);
	// An unknown RPN stores nothing and reads 0.
	s.set_rpn_id_lsb(5);
	s.set_xrpn_msb(3);
	EXPECT_EQ(s.get_rpn_val(), 0);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend_range(), 6.0);
	// RPN 16383 resets range, tuning and the RPN number.
	s.set_rpn_id_msb(127);
	s.set_rpn_id_lsb(127);
	s.set_xrpn_lsb(0);
	EXPECT_DOUBLE_EQ(s.get_pitch_bend_range(), 2.0);
	EXPECT_DOUBLE_EQ(s.get_pitch_modifier(), 0.0);
	EXPECT_EQ(s.get_rpn_id(), 0);
	EXPECT_TRUE(rcv.calls.empty());
}

TEST(MidiChannelState, NrpnStorageStopsAt256)
{
	RecordingReceiver rcv;
	MidiChannelState s;
	s.init(rcv, 0);
	s.set_nrpn_id_lsb(127);
	s.set_nrpn_id_msb(1); // 255
	s.set_xrpn_msb(10);
	s.set_xrpn_lsb(20);
	EXPECT_EQ(s.get_nrpn_val(), 10 * 128 + 20);
	s.set_nrpn_id_lsb(0);
	s.set_nrpn_id_msb(2); // 256
	s.set_xrpn_msb(10);
	EXPECT_EQ(s.get_nrpn_val(), 0);
	// The LSB is refined in place, the MSB kept.
	s.set_nrpn_id_lsb(127);
	s.set_nrpn_id_msb(1);
	s.set_xrpn_lsb(1);
	EXPECT_EQ(s.get_nrpn_val(), 10 * 128 + 1);
}

TEST(MidiChannelState, ProgramBankLayoutAndPressure)
{
	RecordingReceiver rcv;
	MidiChannelState s;
	s.init(rcv, 2);
	s.set_program(5);
	EXPECT_EQ(s.get_program(), 5);
	s.set_bank_msb(3);
	s.set_bank_lsb(1);
	EXPECT_EQ(s.get_bank(), 3 + (1 << 7));
	s.set_program(5);
	EXPECT_EQ(s.get_program(), (3 + 128) * 128 + 5);
	// Channel pressure with no held note makes no call.
	s.set_chn_pressure(64);
	s.midi_note_on(64, 127, 0);
	s.midi_note_on(60, 32, 0);
	s.set_chn_pressure(32);
	s.midi_note_off(64, 0);
	s.set_chn_pressure(96);
	s.set_aftertouch(70, 16);
	const std::vector<std::string> want = {
		"program 2 5", "program 2 16773", "note_on 2 64 64 0 1.98438 1", "note_on 2 60 60 0 0.5 1",
		"velo 2 60 0.5", "velo 2 64 0.5", "note_off 2 64 0", "velo 2 60 1.5", "velo 2 70 0.25"};
	EXPECT_EQ(rcv.calls, want);
}

TEST(MidiInCcMixin, NrpnNumberOrderInBothModes)
{
	InRig standard;
	standard.cc(99, 0);
	standard.cc(98, 5);
	standard.cc(6, 64);
	ASSERT_EQ(standard.in.ctrls.size(), 1u);
	EXPECT_EQ(standard.in.ctrls[0], std::make_pair(NRPN + 5, 8192));
	EXPECT_EQ(standard.rcv.calls, std::vector<std::string>{"nrpn 0 5 8192"});

	// The old erroneous mode swaps the bytes: NRPN 640, not stored.
	InRig old(PersistentMidiSettings::NrpnCompatibility_OLD);
	old.cc(99, 0);
	old.cc(98, 5);
	old.cc(6, 64);
	ASSERT_EQ(old.in.ctrls.size(), 1u);
	EXPECT_EQ(old.in.ctrls[0], std::make_pair(NRPN + 640, 0));
	EXPECT_EQ(old.rcv.calls, std::vector<std::string>{"nrpn 0 640 0"});
}

TEST(MidiInCcMixin, EveryDataByteGivesOneController)
{
	for (auto mode : {PersistentMidiSettings::NrpnCompatibility_STANDARD, PersistentMidiSettings::NrpnCompatibility_OLD})
	{
		InRig r(mode);
		// NRPN 3 in the order of the mode; the number bytes pass nothing on.
		const bool standard = mode == PersistentMidiSettings::NrpnCompatibility_STANDARD;
		r.cc(99, standard ? 0 : 3, 1);
		r.cc(98, standard ? 3 : 0, 1);
		EXPECT_TRUE(r.in.ctrls.empty());
		r.cc(6, 100, 1);
		r.cc(38, 7, 1);
		r.cc(38, 9, 1);
		const std::vector<std::pair<long, int>> want = {{NRPN + 3, 100 << 7}, {NRPN + 3, (100 << 7) + 7}, {NRPN + 3, (100 << 7) + 9}};
		EXPECT_EQ(r.in.ctrls, want) << "mode " << mode;
		// Channel 0 kept its own selection (NRPN 0 never selected: RPN 0).
		r.cc(38, 1, 0);
		EXPECT_EQ(r.in.ctrls.back().first, RPN + 0);
	}
}

TEST(MidiInCcMixin, RpnsGoToTheirBindings)
{
	InRig r(PersistentMidiSettings::NrpnCompatibility_OLD);
	// Old order: CC 101 carries the LSB, CC 100 the MSB.
	r.cc(101, 0);
	r.cc(100, 0);
	r.cc(6, 76);
	r.cc(38, 50);
	r.cc(101, 1);
	r.cc(6, 65);
	r.cc(101, 2);
	r.cc(6, 60);
	// Any other RPN sends 0 to its binding.
	r.cc(101, 9);
	r.cc(100, 3);
	r.cc(6, 5);
	// RPN 16383: the reset leaves RPN 0 selected.
	r.cc(101, 127);
	r.cc(100, 127);
	r.cc(6, 0);
	const std::vector<std::pair<long, int>> want = {
		{RPN + 0, 76 << 7}, {RPN + 0, (76 << 7) + 50}, {RPN + 1, 65 << 7}, {RPN + 2, 60}, {RPN + 3 * 128 + 9, 0}, {RPN + 0, 66 << 7}};
	EXPECT_EQ(r.in.ctrls, want);
	EXPECT_EQ(r.rcv.calls.back(), "rpn 0 0 8448");
}

TEST(MidiInCcMixin, PlainControllers)
{
	InRig r;
	r.cc(7, 127);
	r.cc(0, 1);
	r.cc(32, 2);
	r.cc(64, 127);
	r.cc(97, 0);
	r.cc(7 + 128, 3 + 128); // data bytes are 7 bits
	const std::vector<std::pair<long, int>> want = {{7L << 16, 16256}, {0, 128}, {32L << 16, 256}, {64L << 16, 16256}, {97L << 16, 0}, {7L << 16, 384}};
	EXPECT_EQ(r.in.ctrls, want);
	EXPECT_TRUE(r.rcv.calls.empty());
}

TEST(MidiOut4BPacketMixin, RpnAndNrpnInBothModes)
{
	OutRig standard;
	EXPECT_EQ(standard.out.do_send_midi_nrpn(2, 130, 8193), 1);
	EXPECT_EQ(standard.out.do_send_midi_rpn(0, 0, 16383), 1);
	const std::vector<Ev> want_std = {{0xB2, 99, 1, 0}, {0xB2, 98, 2, 0}, {0xB2, 6, 64, 0}, {0xB2, 38, 1, 0},
	                                  {0xB0, 101, 0, 0}, {0xB0, 100, 0, 0}, {0xB0, 6, 127, 0}, {0xB0, 38, 127, 0}};
	EXPECT_EQ(standard.out.events, want_std);

	OutRig old(PersistentMidiSettings::NrpnCompatibility_OLD);
	old.out.do_send_midi_nrpn(2, 130, 8193);
	old.out.do_send_midi_rpn(0, 0, 16383);
	const std::vector<Ev> want_old = {{0xB2, 98, 1, 0}, {0xB2, 99, 2, 0}, {0xB2, 6, 64, 0}, {0xB2, 38, 1, 0},
	                                  {0xB0, 100, 0, 0}, {0xB0, 101, 0, 0}, {0xB0, 6, 127, 0}, {0xB0, 38, 127, 0}};
	EXPECT_EQ(old.out.events, want_old);
}

TEST(MidiOut4BPacketMixin, ProgramChangeRoundTripsTheBankLayout)
{
	OutRig r;
	EXPECT_EQ(r.out.do_send_midi_program_change(0, 130), 1);
	EXPECT_EQ(r.out.events, (std::vector<Ev>{{0xB0, 0, 1, 0}, {0xB0, 32, 0, 0}, {0xC0, 2, 0, 0}}));

	// A program read on the input side goes out as the same bank bytes.
	RecordingReceiver rcv;
	MidiChannelState s;
	s.init(rcv, 0);
	s.set_bank_msb(3);
	s.set_bank_lsb(1);
	s.set_program(5);
	r.out.events.clear();
	r.out.do_send_midi_program_change(4, s.get_program());
	EXPECT_EQ(r.out.events, (std::vector<Ev>{{0xB4, 0, 3, 0}, {0xB4, 32, 1, 0}, {0xC4, 5, 0, 0}}));
}

TEST(MidiOut4BPacketMixin, RawCommandsAndWhatIsNotSent)
{
	OutRig r;
	EXPECT_EQ(r.out.do_send_midi_chn_cmd(3, 11, 7, 100), 1);
	EXPECT_EQ(r.out.do_send_midi_common_cmd(0xF2, 1, 2), 1);
	EXPECT_EQ(r.out.do_send_midi_rt_cmd(0xF8), 1);
	EXPECT_EQ(r.out.do_send_midi_note_on(0, 60, 60, 0, 1, true), 0);
	EXPECT_EQ(r.out.do_send_midi_note_off(0, 60, 1), 0);
	EXPECT_EQ(r.out.do_send_midi_velo(0, 60, 1), 0);
	EXPECT_EQ(r.out.do_send_midi_pitch_bend(0, 1), 0);
	const unsigned char sx[] = {0xF0, 0x7E, 0xF7};
	EXPECT_EQ(r.out.do_send_midi_sys_ex(3, sx), 0);
	EXPECT_EQ(r.out.do_send_midi_reset(), 0);
	EXPECT_EQ(r.out.events, (std::vector<Ev>{{0xB3, 7, 100, 0}, {0xF2, 1, 2, 0}, {0xF8, 0, 0, 0}}));
}

TEST(MidiOut4BPacketMixin, AFullQueueStillGetsEveryEventAndFails)
{
	OutRig r;
	r.out.room = 2;
	EXPECT_EQ(r.out.do_send_midi_nrpn(0, 1, 2), 0);
	EXPECT_EQ(r.out.nbr_enqueue_calls, 4);
	EXPECT_EQ(r.out.events.size(), 2u);
}
