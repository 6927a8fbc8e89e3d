// The plug-in assembled in the test process as its entry point does it
// (engine, host services, host binding with MIDI), with a bank of eight
// programs made here, and a host callback that records the MIDI the
// plug-in sends back.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "effect/VorluneDsp.h"
#include "host/HostDspVst2BeOS.h"
#include "host/Vst2BeOSPlugin.h"
#include "plegg/BankManager.h"
#include "plegg/MidiDevSelCompInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"
#include "plegg/PersistentMidiSettings.h"
#include "vst2/aeffect.h"

namespace miditest
{

using Bytes = std::array<unsigned char, 4>;

// What the host saw. One rig at a time records into it.
struct HostLog
{
	std::mutex mutex;
	std::vector<std::vector<Bytes>> sent; // one entry per audioMasterProcessEvents
	std::vector<const vst2::VstEvents *> lists;
	std::atomic<int> want_midi{0};
	std::atomic<int> automate{0};

	void clear()
	{
		std::lock_guard<std::mutex> lock(mutex);
		sent.clear();
		lists.clear();
	}
	std::vector<std::vector<Bytes>> take()
	{
		std::lock_guard<std::mutex> lock(mutex);
		std::vector<std::vector<Bytes>> s;
		s.swap(sent);
		lists.clear();
		return s;
	}

	static HostLog &get()
	{
		static HostLog log;
		return log;
	}

	static vst2::intptr callback(vst2::AEffect *, vst2::int32 op, vst2::int32, vst2::intptr, void *ptr, float)
	{
		HostLog &log = get();
		switch (op)
		{
		case vst2::audioMasterVersion:
			return 2400;
		case vst2::audioMasterAutomate:
			++log.automate;
			return 0;
		case vst2::audioMasterWantMidi:
			++log.want_midi;
			return 0;
		case vst2::audioMasterProcessEvents:
		{
			const auto *ev = static_cast<const vst2::VstEvents *>(ptr);
			std::vector<Bytes> block;
			const auto *const *list = reinterpret_cast<const vst2::VstEvent *const *>(reinterpret_cast<const unsigned char *>(ev) + offsetof(vst2::VstEvents, events));
			for (int i = 0; i < ev->numEvents; ++i)
			{
				const auto *m = reinterpret_cast<const vst2::VstMidiEvent *>(list[i]);
				EXPECT_EQ(m->type, vst2::kVstMidiType);
				EXPECT_EQ(m->byteSize, 32);
				EXPECT_EQ(m->deltaFrames, 0);
				block.push_back({static_cast<unsigned char>(m->midiData[0]), static_cast<unsigned char>(m->midiData[1]),
				                 static_cast<unsigned char>(m->midiData[2]), static_cast<unsigned char>(m->midiData[3])});
			}
			std::lock_guard<std::mutex> lock(log.mutex);
			log.sent.push_back(std::move(block));
			log.lists.push_back(ev);
			return 1;
		}
		default:
			return 0;
		}
	}
};

// A VstEvents block of MIDI messages, built in the test.
class EventList
{
public:
	void add(unsigned char s, unsigned char d1, unsigned char d2, int delta = 0, signed char detune = 0)
	{
		vst2::VstMidiEvent e{};
		e.type = vst2::kVstMidiType;
		e.byteSize = sizeof(e);
		e.deltaFrames = delta;
		e.midiData[0] = static_cast<char>(s);
		e.midiData[1] = static_cast<char>(d1);
		e.midiData[2] = static_cast<char>(d2);
		e.detune = detune;
		events.push_back(e);
	}
	void nrpn(int chn, int cc99, int cc98, int value14)
	{
		add(0xB0 + chn, 99, cc99);
		add(0xB0 + chn, 98, cc98);
		add(0xB0 + chn, 6, value14 >> 7);
		add(0xB0 + chn, 38, value14 & 127);
	}
	vst2::VstEvents *get()
	{
		storage.assign((vst2::vst_events_size(events.size()) + 7) / 8 + 1, 0);
		auto *ev = reinterpret_cast<vst2::VstEvents *>(storage.data());
		ev->numEvents = static_cast<vst2::int32>(events.size());
		auto **list = reinterpret_cast<vst2::VstEvent **>(reinterpret_cast<unsigned char *>(ev) + offsetof(vst2::VstEvents, events));
		for (std::size_t i = 0; i < events.size(); ++i)
			list[i] = reinterpret_cast<vst2::VstEvent *>(&events[i]);
		return ev;
	}
	std::vector<vst2::VstMidiEvent> events;

private:
	std::vector<std::uint64_t> storage;
};

class PluginRig
{
public:
	static constexpr int NBR_PARAM = 8;

	// extra: a device-selection component registered after the host's.
	explicit PluginRig(plegg::MidiDevSelCompInterface *extra = nullptr)
	{
		plegg::PersistentMidiSettings::set_default_compatibility(plegg::PersistentMidiSettings::NrpnCompatibility_OLD);
		auto dsp = std::make_unique<VorluneDsp>();
		auto host_dsp = std::make_unique<plegg::HostDspVst2BeOS>();
		plegg::BankManager bank(8);
		for (int p = 0; p < bank.get_nbr_prog(); ++p)
		{
			bank[p].set_nbr_param(NBR_PARAM);
			bank[p].set_name("Prog " + std::to_string(p));
			for (int i = 0; i < NBR_PARAM; ++i)
				bank[p].set_parameter(i, static_cast<float>((p * 8 + i) % 17) / 16.0f);
		}
		VorluneDsp *dsp_ptr = dsp.get();
		plegg::HostDspVst2BeOS *host_dsp_ptr = host_dsp.get();
		plegg::MidiReceiverInterface *rcv = dsp.get();
		plugin = std::make_unique<plegg::Vst2BeOSPlugin>(&HostLog::callback, dsp.release(), nullptr, rcv, bank, 0x4B76746E);
		plugin->adopt_dsp_host(std::move(host_dsp));
		host_dsp_ptr->set_plugin(*plugin);
		dsp_ptr->set_host(*host_dsp_ptr);
		if (extra != nullptr)
			plugin->use_midi_dev_sel()->register_dev_list(*extra);
		plugin->init();
		plugin->set_default_state();
		HostLog::get().clear();
	}

	plegg::Vst2BeOSPlugin &fx() { return *plugin; }
	plegg::MidiMgr &mgr() { return *plugin->use_midi_interface(); }
	plegg::MidiDevSelDispatcher &sel() { return *plugin->use_midi_dev_sel(); }
	float param(int i) { return plugin->getParameter(i); }

	void process(int frames = 256)
	{
		in_l.assign(static_cast<std::size_t>(frames), 0.25f);
		in_r.assign(static_cast<std::size_t>(frames), -0.25f);
		out_l.assign(static_cast<std::size_t>(frames), 0.0f);
		out_r.assign(static_cast<std::size_t>(frames), 0.0f);
		float *in[2] = {in_l.data(), in_r.data()};
		float *out[2] = {out_l.data(), out_r.data()};
		plugin->processReplacing(in, out, frames);
	}
	void send(EventList &list) { plugin->processEvents(list.get()); }

	std::vector<float> in_l, in_r, out_l, out_r;

private:
	std::unique_ptr<plegg::Vst2BeOSPlugin> plugin;
};

} // namespace miditest
