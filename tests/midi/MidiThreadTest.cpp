// The MIDI side under concurrent use: the audio thread decoding and
// learning while the editor's thread changes parameters and arms learning,
// settings are saved and loaded, devices are switched and programs change;
// and the hand-over of a dropped port to the thread that frees it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "basic/ConfKeyMulti.h"
#include "tests/midi/FakeDevComps.h"
#include "tests/midi/PluginRig.h"

using miditest::DynComp;
using miditest::EventList;
using miditest::HostLog;
using miditest::MgrRig;
using miditest::PluginRig;
using miditest::TempConfig;

namespace
{

struct HandOverRig : MgrRig
{
	HandOverRig()
	{
		disp.register_dev_list(dyn);
		EXPECT_EQ(mgr->init(), 0);
		EXPECT_EQ(disp.init(), 0);
		EXPECT_EQ(disp.select_dev_in(0), 0);
	}
	DynComp dyn;
};

void wait_for(const std::atomic<bool> &flag)
{
	while (!flag.load())
		std::this_thread::yield();
}

} // namespace

TEST(MidiHandOver, ADroppedPortWaitsForTheRunningBlock)
{
	HandOverRig r;
	ASSERT_EQ(r.dyn.live_in.load(), 1);
	miditest::CountedIn *port = r.dyn.cur_in;
	port->hold = true;
	std::thread audio([&] { r.mgr->process_pre(); });
	wait_for(port->entered);
	// Deselected while the block runs: unpublished at once, freed later.
	ASSERT_EQ(r.disp.select_dev_in(-1), 0);
	EXPECT_EQ(r.mgr->get_input_device(), nullptr);
	EXPECT_EQ(r.dyn.live_in.load(), 1);
	r.mgr->collect_garbage();
	EXPECT_EQ(r.dyn.live_in.load(), 1);
	port->hold = false;
	audio.join();
	r.mgr->collect_garbage();
	EXPECT_EQ(r.dyn.live_in.load(), 0);
}

TEST(MidiHandOver, ADroppedPortGoesAtOnceOrAtClose)
{
	{
		HandOverRig r;
		ASSERT_EQ(r.disp.select_dev_in(0), 0);
		EXPECT_EQ(r.dyn.live_in.load(), 1);
		ASSERT_EQ(r.disp.select_dev_in(-1), 0);
		EXPECT_EQ(r.dyn.live_in.load(), 0);
	}
	std::atomic<int> *live = nullptr;
	{
		auto r = std::make_unique<HandOverRig>();
		live = &r->dyn.live_in;
		miditest::CountedIn *port = r->dyn.cur_in;
		port->hold = true;
		std::thread audio([&] { r->mgr->process_pre(); });
		wait_for(port->entered);
		ASSERT_EQ(r->disp.select_dev_in(-1), 0);
		port->hold = false;
		audio.join();
		EXPECT_EQ(live->load(), 1);
		// Closing the manager frees what is left.
		r->mgr.reset();
		EXPECT_EQ(live->load(), 0);
	}
}

TEST(MidiThreads, AudioEditorSettingsAndDevicesAtOnce)
{
	TempConfig cfg;
	DynComp alsa;
	PluginRig r(&alsa);
	std::atomic<bool> stop{false};
	const auto run_for = std::chrono::milliseconds(400);

	std::thread audio([&] {
		std::mt19937 gen(1);
		int n = 0;
		while (!stop.load())
		{
			EventList l;
			const int chn = static_cast<int>(gen() % 3);
			l.nrpn(chn, static_cast<int>(gen() % 10), 0, static_cast<int>(gen() % 16384));
			l.add(static_cast<unsigned char>(0xB0 + chn), static_cast<unsigned char>(1 + gen() % 31), static_cast<unsigned char>(gen() % 128));
			l.add(0xE0, 0, 64);
			l.add(0x90, 60, 100);
			r.send(l);
			r.mgr().do_send_midi_chn_cmd(0, 11, 70, n & 127);
			r.process(64 + static_cast<int>(gen() % 200));
			++n;
		}
	});
	std::thread editor([&] {
		std::mt19937 gen(2);
		while (!stop.load())
		{
			const int p = static_cast<int>(gen() % PluginRig::NBR_PARAM);
			r.fx().set_param_pi_and_host(p, static_cast<float>(gen() % 1000) / 999.0f, 200);
			if (gen() % 4 == 0)
				r.mgr().set_autobind_param(static_cast<int>(gen() % PluginRig::NBR_PARAM));
			else if (gen() % 4 == 0)
				r.mgr().clear_cur_autobind();
			int lp = 0;
			long lc = 0;
			if (r.mgr().get_latest_autobind_info(lp, lc))
				r.mgr().clear_latest_autobind_info();
			std::this_thread::yield();
		}
	});
	std::thread settings([&] {
		std::mt19937 gen(3);
		while (!stop.load())
		{
			basic::ConfKeyMulti root("root");
			r.mgr().save_settings(root);
			r.mgr().load_settings(root);
			if (gen() % 3 == 0)
				r.mgr().set_default_nrpn_mapping();
			r.sel().select_dev_in(static_cast<int>(gen() % 3) - 1);
			r.sel().select_dev_out(static_cast<int>(gen() % 3) - 1);
			r.mgr().associate_param(static_cast<int>(gen() % 12), static_cast<long>(gen() % 128) << 16);
		}
	});
	std::thread programs([&] {
		std::mt19937 gen(4);
		while (!stop.load())
		{
			r.fx().setProgram(static_cast<int>(gen() % 8));
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		}
	});
	std::this_thread::sleep_for(run_for);
	stop = true;
	audio.join();
	editor.join();
	settings.join();
	programs.join();

	// Both invariants hold in the bindings left behind.
	std::set<int> params;
	for (const auto &kv : r.mgr().get_param_mapping())
		EXPECT_TRUE(params.insert(kv.second).second) << kv.second;
	// Every port the other component dropped is freed once nobody uses it.
	r.sel().select_dev_in(0);
	r.sel().select_dev_out(0);
	r.mgr().collect_garbage();
	EXPECT_EQ(alsa.live_in.load(), 0);
	EXPECT_EQ(alsa.live_out.load(), 0);
	HostLog::get().clear();
}
