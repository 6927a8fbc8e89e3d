// The VST MIDI ports and the host binding's MIDI: events in through
// processEvents, MIDI out once per block, which writes send MIDI out, the
// output's limits and double buffer, and learnt bindings kept in a setting
// file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "host/Vst2MidiIn.h"
#include "host/Vst2MidiOut.h"
#include "plegg/MidiParamMap.h"
#include "plegg/SettingMgr.h"
#include "tests/midi/FakeDevComps.h"
#include "tests/midi/PluginRig.h"

using miditest::Bytes;
using miditest::DynComp;
using miditest::EventList;
using miditest::HostLog;
using miditest::MgrRig;
using miditest::PluginRig;
using miditest::TempConfig;

namespace
{

struct InPort : MgrRig
{
	InPort()
	{
		in.set_midi_mgr(*mgr);
		EXPECT_EQ(in.init(), 0);
		in.connect();
	}
	void ev(unsigned char s, unsigned char d1, unsigned char d2, int delta = 0, signed char detune = 0)
	{
		EventList l;
		l.add(s, d1, d2, delta, detune);
		in.process_midi_event(l.events[0]);
	}
	plegg::Vst2MidiIn in;
};

std::vector<Bytes> nrpn_bytes(int chn, int cc99, int cc98, int value14)
{
	const auto s = static_cast<unsigned char>(0xB0 + chn);
	return {{s, 98, static_cast<unsigned char>(cc98), 0}, {s, 99, static_cast<unsigned char>(cc99), 0},
	        {s, 6, static_cast<unsigned char>(value14 >> 7), 0}, {s, 38, static_cast<unsigned char>(value14 & 127), 0}};
}

int value14(float norm)
{
	return static_cast<int>(std::floor(norm * 16383.0 + 0.5));
}

} // namespace

TEST(Vst2MidiIn, ChannelMessages)
{
	InPort p;
	p.ev(0x91, 60, 100, 17, 50);
	p.ev(0x91, 60, 0, 18);
	p.ev(0x82, 61, 64);
	p.ev(0xA1, 60, 32);
	p.ev(0xC3, 9, 0);
	p.ev(0xD1, 64, 0); // no held note on channel 1
	p.ev(0xE0, 0, 0);
	for (unsigned char s : {0xF0, 0xF2, 0xF8, 0xFE, 0xFF, 0x45})
		p.ev(s, 1, 2);
	const std::vector<std::string> want = {"note_on 1 60 60.5 0 1.5625 1", "note_off 1 60 0", "note_off 2 61 1", "velo 1 60 0.5", "program 3 9", "bend 0 -2"};
	EXPECT_EQ(p.rcv.calls, want);
	EXPECT_EQ(p.rcv.time_stamps.size(), 13u);
	EXPECT_EQ(p.rcv.time_stamps[0], 17);
	EXPECT_EQ(p.rcv.time_stamps[1], 18);
}

TEST(Vst2MidiIn, ControllersBeyondTheParametersAreEngineMessages)
{
	InPort p;
	p.mgr->associate_param(8, 7, 0);
	p.mgr->associate_param(3, 10, 0);
	p.ev(0xB0, 7, 127);
	p.ev(0xB0, 10, 127); // bound to a parameter, but no host binding to set it
	ASSERT_EQ(p.dsp.scalar_msgs.size(), 1u);
	EXPECT_EQ(p.dsp.scalar_msgs[0].first, 8);
	EXPECT_FLOAT_EQ(p.dsp.scalar_msgs[0].second, 16256.0f / 16383);
	EXPECT_TRUE(p.cmd.sets.empty());
}

TEST(Vst2MidiOut, QueueLimitsAndWholeMessages)
{
	MgrRig r;
	plegg::Vst2MidiOut out;
	out.set_midi_mgr(*r.mgr);
	// Nothing can be queued before init.
	EXPECT_EQ(out.do_send_midi_chn_cmd(0, 11, 1, 2), 0);
	ASSERT_EQ(out.init(), 0);
	EXPECT_EQ(out.get_events(0)->numEvents, 0);
	for (int i = 0; i < plegg::Vst2MidiOut::CAPACITY - 2; ++i)
		ASSERT_EQ(out.do_send_midi_chn_cmd(0, 11, 1, i & 127), 1);
	// A message that does not fit queues what fits and fails.
	EXPECT_EQ(out.do_send_midi_nrpn(0, 1, 2), 0);
	EXPECT_EQ(out.get_nbr_queued(), plegg::Vst2MidiOut::CAPACITY);
	EXPECT_EQ(out.do_send_midi_rt_cmd(0xF8), 0);
	EXPECT_EQ(out.get_nbr_queued(), plegg::Vst2MidiOut::CAPACITY);
	// Without a host binding nothing is sent and nothing is lost.
	out.connect();
	out.process_pre();
	EXPECT_EQ(out.get_nbr_queued(), plegg::Vst2MidiOut::CAPACITY);
	EXPECT_EQ(out.get_cur_buf(), 0);
}

class Vst2Midi : public ::testing::Test
{
protected:
	TempConfig cfg;
};

TEST_F(Vst2Midi, NrpnsMoveParametersInTheDefaultByteOrder)
{
	PluginRig r;
	EventList l;
	// NRPN 0 is the same in both orders; NRPN 3 in the old order.
	l.nrpn(0, 0, 0, 16383);
	l.nrpn(0, 3, 0, 0);
	r.send(l);
	EXPECT_EQ(r.param(0), 1.0f);
	EXPECT_EQ(r.param(3), 0.0f);
	// The standard order selects NRPN 384, bound to nothing.
	EventList s;
	s.nrpn(0, 0, 3, 16383);
	r.send(s);
	EXPECT_EQ(r.param(3), 0.0f);
	// Incoming MIDI is not echoed to the host, neither as MIDI nor as automation.
	r.process();
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
	EXPECT_EQ(HostLog::get().automate.load(), 0);
}

TEST_F(Vst2Midi, EventsAreIgnoredWhileTheInputIsNotSelected)
{
	PluginRig r;
	const float before = r.param(0);
	ASSERT_EQ(r.sel().select_dev_in(-1), 0);
	EventList l;
	l.nrpn(0, 0, 0, before > 0.5f ? 0 : 16383);
	r.send(l);
	EXPECT_EQ(r.param(0), before);
	ASSERT_EQ(r.sel().select_dev_in(0), 0);
	r.send(l);
	EXPECT_NE(r.param(0), before);
	// Other event kinds and empty slots are skipped.
	EventList odd;
	odd.nrpn(0, 0, 0, 0);
	odd.events[0].type = 6; // SysEx
	vst2::VstEvents *ev = odd.get();
	auto **list = vst2::event_slots(ev);
	list[1] = nullptr;
	EXPECT_EQ(r.fx().processEvents(ev), 1);
	EXPECT_EQ(r.fx().processEvents(nullptr), 1);
}

TEST_F(Vst2Midi, ProgramChangesSendEveryParameterAtTheNextBlock)
{
	PluginRig r;
	r.fx().setProgram(3);
	EXPECT_TRUE(HostLog::get().take().empty());
	r.process();
	const auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	std::vector<Bytes> want;
	for (int i = 0; i < PluginRig::NBR_PARAM; ++i)
	{
		const auto b = nrpn_bytes(0, i, 0, value14(r.param(i)));
		want.insert(want.end(), b.begin(), b.end());
	}
	EXPECT_EQ(sent[0].size(), 32u);
	EXPECT_EQ(sent[0], want);
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
}

TEST_F(Vst2Midi, OnlyEditorAndProgramWritesSendMidi)
{
	PluginRig r;
	r.fx().setParameter(2, 0.25f);
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
	// The editor's write, at any priority.
	ASSERT_TRUE(r.fx().set_param_pi_and_host(5, 0.5f, 50));
	r.process();
	const auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	EXPECT_EQ(sent[0], nrpn_bytes(0, 5, 0, 8192));
	// A refused write sends nothing.
	ASSERT_TRUE(r.fx().set_param_pi_and_host(5, 0.1f, 200));
	EXPECT_FALSE(r.fx().set_param_pi_and_host(5, 0.2f, 50));
	r.process();
	EXPECT_EQ(HostLog::get().take().at(0).size(), 4u);
}

TEST_F(Vst2Midi, MoreThanABlockOfEventsIsCutAt1024)
{
	PluginRig r;
	for (int k = 0; k < 300; ++k)
		r.fx().set_param_pi_and_host(k % PluginRig::NBR_PARAM, static_cast<float>(k % 100) / 100.0f, 300);
	r.process();
	auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	ASSERT_EQ(sent[0].size(), 1024u);
	// Whole messages only: 256 NRPNs of 4 events each.
	for (std::size_t i = 0; i < 1024; i += 4)
	{
		EXPECT_EQ(sent[0][i][1], 98);
		EXPECT_EQ(sent[0][i + 3][1], 38);
	}
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
}

TEST_F(Vst2Midi, TheListGivenToTheHostStaysUntilTheNextSwitch)
{
	PluginRig r;
	for (int k = 0; k < 200; ++k)
		r.fx().set_param_pi_and_host(1, 0.5f, 300);
	r.process();
	const vst2::VstEvents *first = nullptr;
	{
		std::lock_guard<std::mutex> lock(HostLog::get().mutex);
		ASSERT_EQ(HostLog::get().lists.size(), 1u);
		first = HostLog::get().lists[0];
	}
	ASSERT_EQ(first->numEvents, 800);
	// The pointer array is sized for 64-bit pointers: entries past 512 are
	// whole and 32 bytes apart.
	const auto *const *list = vst2::event_slots(first);
	for (int i = 1; i < 800; ++i)
		ASSERT_EQ(reinterpret_cast<const unsigned char *>(list[i]) - reinterpret_cast<const unsigned char *>(list[i - 1]), 32);
	const vst2::VstMidiEvent copy = *reinterpret_cast<const vst2::VstMidiEvent *>(list[799]);
	// New events go to the other buffer.
	for (int k = 0; k < 10; ++k)
		r.fx().set_param_pi_and_host(2, 1.0f, 300);
	EXPECT_EQ(first->numEvents, 800);
	EXPECT_EQ(std::memcmp(list[799], &copy, sizeof(copy)), 0);
	HostLog::get().take();
	r.process();
	const auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	EXPECT_EQ(sent[0].size(), 40u);
}

TEST_F(Vst2Midi, ADeselectedOutputKeepsWhatWasQueued)
{
	PluginRig r;
	r.fx().set_param_pi_and_host(0, 1.0f, 300);
	ASSERT_EQ(r.sel().select_dev_out(-1), 0);
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
	// Without an output nothing more is queued.
	EXPECT_EQ(r.mgr().param_to_midi_out(0, 1, 1.0f), -1);
	ASSERT_EQ(r.sel().select_dev_out(0), 0);
	r.process();
	const auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	EXPECT_EQ(sent[0], nrpn_bytes(0, 0, 0, 16383));
}

TEST_F(Vst2Midi, ResumeAsksForMidi)
{
	PluginRig r;
	const int before = HostLog::get().want_midi.load();
	r.fx().resume();
	EXPECT_EQ(HostLog::get().want_midi.load(), before + 1);
	char text[] = "receiveVstMidiEvent";
	EXPECT_EQ(r.fx().canDo(text), 1);
}

TEST_F(Vst2Midi, LearntBindingsSurviveASettingFile)
{
	const std::string path = cfg.path() + "/learnt.cfg.txt";
	{
		PluginRig r;
		r.mgr().set_autobind_param(2);
		EventList l;
		l.add(0xB0, 7, 127);
		r.send(l);
		EXPECT_FLOAT_EQ(r.param(2), 16256.0f / 16383);
		r.mgr().clear_cur_autobind();
		plegg::SettingMgr settings;
		settings.init("Brastoke", 1.31);
		settings.register_client(r.mgr());
		ASSERT_EQ(settings.save_settings(path), 0);
	}
	PluginRig r;
	EXPECT_EQ(r.mgr().get_param_mapping().count(7L << 16), 0u);
	plegg::SettingMgr settings;
	settings.init("Brastoke", 1.31);
	settings.register_client(r.mgr());
	ASSERT_EQ(settings.load_settings(path), 0);
	const auto m = r.mgr().get_param_mapping();
	EXPECT_EQ(m.at(7L << 16), 2);
	EXPECT_EQ(m.count(99L * 65536 + 2), 0u);
	EventList l;
	l.add(0xB0, 7, 0);
	r.send(l);
	EXPECT_EQ(r.param(2), 0.0f);
}

// Each learnt controller uses up a spare table; the host's calls outside
// the audio thread prepare new ones, so learning goes on while armed.
TEST_F(Vst2Midi, LearningGoesOnWithTheHostsIdleCallsInBetween)
{
	PluginRig r;
	r.mgr().set_autobind_param(1);
	for (int c = 0; c < 3 * plegg::MidiParamMap::NBR_SPARES; ++c)
	{
		EventList l;
		l.add(0xB0, 20 + c, 127);
		r.send(l);
		r.process();
		r.fx().dispatcher(vst2::effEditIdle, 0, 0, nullptr, 0.0f);
		EXPECT_EQ(r.mgr().get_param_mapping().count(static_cast<long>(20 + c) << 16), 1u) << "controller " << 20 + c;
	}
}

TEST_F(Vst2Midi, ASecondComponentsOutputTakesTheMidi)
{
	DynComp alsa;
	PluginRig r(&alsa);
	ASSERT_EQ(r.sel().get_nbr_dev_out(), 2);
	EXPECT_EQ(r.sel().get_dev_out_prop(0).name, "VST MIDI Out interface");
	EXPECT_EQ(r.sel().get_dev_in_prop(0).name, "VST MIDI In interface");
	EXPECT_EQ(r.sel().get_dev_out_cur_id(), 0);
	ASSERT_EQ(r.sel().select_dev_out(1), 0);
	ASSERT_NE(alsa.cur_out, nullptr);
	r.fx().set_param_pi_and_host(4, 0.0f, 300);
	r.process();
	EXPECT_TRUE(HostLog::get().take().empty());
	EXPECT_EQ(alsa.cur_out->events.size(), 4u);
	EXPECT_EQ(alsa.cur_out->nbr_pre, 1);
	ASSERT_EQ(r.sel().select_dev_out(0), 0);
	EXPECT_EQ(alsa.live_out.load(), 0);
}
