// Parameters and programs written on one thread while another processes:
// the audio side sees only flags and atomic values, never a lock.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plegg/ProgramSlot.h"
#include "tests/effect/EngineFixture.h"

namespace
{

TEST(VorluneDspThreads, ParameterWritersRaceTheAudioThread)
{
	Engine e;
	std::atomic<bool> done{false};
	std::thread writer([&] {
		plegg::ProgramSlot slot;
		e.dsp->do_get_program(slot);
		int i = 0;
		while (!done.load()) {
			const float v = (float)(i % 101) / 100.0f;
			e.set(i % 8, v);
			slot.set_parameter((i + 3) % 8, 1.0f - v);
			e.dsp->do_set_program(slot);
			++i;
		}
	});

	const Stereo in = make_noise(256, 4);
	Stereo out(in.size());
	for (int blk = 0; blk < 400; ++blk) {
		render(*e.dsp, out, in, blk % 2 ? 256 : 37);
		ASSERT_TRUE(is_clean(out.l));
	}
	done = true;
	writer.join();
}

} // namespace
