// A host callback that records the MIDI a plug-in sends back, and VST
// event lists built in tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

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
			const auto *const *list = vst2::event_slots(ev);
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
		auto **list = vst2::event_slots(ev);
		for (std::size_t i = 0; i < events.size(); ++i)
			list[i] = reinterpret_cast<vst2::VstEvent *>(&events[i]);
		return ev;
	}
	std::vector<vst2::VstMidiEvent> events;

private:
	std::vector<std::uint64_t> storage;
};

} // namespace miditest
