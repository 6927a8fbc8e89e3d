// The audio-thread side of MIDI never allocates: decoding host events,
// learning a binding, moving parameters, sending queued MIDI to the host
// and switching the output buffers. The allocator is interposed here and
// counts calls while watching.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "tests/host/AllocationWatch.h"
#include "tests/midi/PluginRig.h"
#include "tests/midi/TempConfig.h"

namespace
{

std::atomic<int> events_sent{0};

// A host that only counts what it gets.
vst2::intptr quiet_host(vst2::AEffect *, vst2::int32 op, vst2::int32, vst2::intptr, void *ptr, float)
{
	if (op == vst2::audioMasterVersion)
		return 2400;
	if (op == vst2::audioMasterProcessEvents)
	{
		events_sent.fetch_add(static_cast<const vst2::VstEvents *>(ptr)->numEvents);
		return 1;
	}
	return 0;
}

} // namespace

TEST(MidiRealtime, AudioThreadMidiNeverAllocates)
{
	miditest::TempConfig cfg;
	miditest::PluginRig r(nullptr, &quiet_host);
	miditest::EventList moves;
	moves.nrpn(0, 0, 0, 9000);
	moves.nrpn(1, 3, 0, 100);
	moves.add(0x90, 60, 100);
	moves.add(0xE0, 1, 70);
	miditest::EventList learn;
	learn.add(0xB0, 7, 100);
	vst2::VstEvents *mv = moves.get();
	vst2::VstEvents *ln = learn.get();
	r.process(); // first block outside the watch
	r.mgr().set_autobind_param(2);
	int allocations = 0;
	for (int b = 0; b < 20; ++b)
	{
		r.fx().setProgram(b % 8); // queues MIDI out from a non-audio thread
		test::AllocationWatch watch;
		r.fx().processEvents(mv);
		if (b == 5)
			r.fx().processEvents(ln);
		r.process(256);
		allocations += watch.count();
	}
	EXPECT_EQ(allocations, 0);
	EXPECT_EQ(r.mgr().get_param_mapping().at(7L << 16), 2);
	// Eight NRPNs per program change, then CC 7 and its LSB partner in place
	// of parameter 2's NRPN once it is learnt.
	EXPECT_EQ(events_sent.load(), 6 * 32 + 14 * 30);
}
