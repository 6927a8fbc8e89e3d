// The audio-thread calls never allocate: the allocator is interposed in the
// host process and counts calls while watching.
#include <gtest/gtest.h>

#include <vector>

#include "tests/host/AllocationWatch.h"
#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

TEST(PluginRealtime, AudioThreadCallsNeverAllocate)
{
	PluginHarness host;
	AEffect *fx = host.open();
	ASSERT_NE(fx, nullptr);
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, 48000.0f);
	PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	std::vector<float> l(512, 0.3f);
	std::vector<float> r(512, -0.3f);
	std::vector<float> ol(512);
	std::vector<float> orr(512);
	float *in[2] = {l.data(), r.data()};
	float *out[2] = {ol.data(), orr.data()};
	int allocations = 0;
	for (int p = 0; p < 8; ++p)
	{
		PluginHarness::dispatch(fx, effSetProgram, 0, p);
		fx->processReplacing(fx, in, out, 512);
		test::AllocationWatch watch;
		for (int b = 0; b < 20; ++b)
		{
			fx->setParameter(fx, b % 8, static_cast<float>(b) / 20.0f);
			(void)fx->getParameter(fx, b % 8);
			fx->processReplacing(fx, in, out, 512);
			fx->process(fx, in, out, 100 + b);
		}
		allocations += watch.count();
	}
	EXPECT_EQ(allocations, 0);
	host.close(fx);
}
