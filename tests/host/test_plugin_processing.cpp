// Processing as hosts call it: every supported rate and block size, in-place
// buffers, both process forms, state changes between blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

namespace
{

struct Stereo
{
	explicit Stereo(std::size_t n) : l(n), r(n) {}
	std::vector<float> l;
	std::vector<float> r;
	float *ptr[2] = {nullptr, nullptr};
	float **ptrs()
	{
		ptr[0] = l.data();
		ptr[1] = r.data();
		return ptr;
	}
};

void noise(Stereo &s, unsigned seed)
{
	std::mt19937 rng(seed);
	std::uniform_real_distribution<float> d(-1.0f, 1.0f);
	for (std::size_t i = 0; i < s.l.size(); ++i)
	{
		s.l[i] = d(rng);
		s.r[i] = d(rng);
	}
}

bool is_sane(const std::vector<float> &v)
{
	for (float x : v)
		if (!std::isfinite(x) || (x != 0 && std::fpclassify(x) == FP_SUBNORMAL))
			return false;
	return true;
}

std::vector<float> render(AEffect *fx, const Stereo &input, int block, bool mix)
{
	const std::size_t n = input.l.size();
	std::vector<float> out;
	Stereo o(static_cast<std::size_t>(block));
	Stereo in(static_cast<std::size_t>(block));
	for (std::size_t pos = 0; pos < n; pos += static_cast<std::size_t>(block))
	{
		const int len = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(block), n - pos));
		std::copy_n(input.l.begin() + static_cast<long>(pos), len, in.l.begin());
		std::copy_n(input.r.begin() + static_cast<long>(pos), len, in.r.begin());
		std::fill(o.l.begin(), o.l.end(), 0.0f);
		std::fill(o.r.begin(), o.r.end(), 0.0f);
		if (mix)
			fx->process(fx, in.ptrs(), o.ptrs(), len);
		else
			fx->processReplacing(fx, in.ptrs(), o.ptrs(), len);
		out.insert(out.end(), o.l.begin(), o.l.begin() + len);
		out.insert(out.end(), o.r.begin(), o.r.begin() + len);
	}
	return out;
}

} // namespace

class PluginProcessing : public ::testing::Test
{
protected:
	void SetUp() override { fx = host.open(); ASSERT_NE(fx, nullptr); }
	void TearDown() override { host.close(fx); }
	void start(float rate, int block)
	{
		PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, rate);
		PluginHarness::dispatch(fx, effSetBlockSize, 0, block);
		PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	}
	PluginHarness host;
	AEffect *fx = nullptr;
};

TEST_F(PluginProcessing, EveryRateAndBlockSizeGivesSaneOutput)
{
	for (float rate : {4000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f})
	{
		PluginHarness::dispatch(fx, effSetProgram, 0, 2);
		start(rate, 8192);
		for (int block : {1, 7, 64, 100, 512, 8192})
		{
			Stereo in(static_cast<std::size_t>(block) * 2 + 3);
			noise(in, static_cast<unsigned>(block));
			const auto out = render(fx, in, block, false);
			EXPECT_TRUE(is_sane(out)) << rate << " Hz, blocks of " << block;
		}
	}
}

TEST_F(PluginProcessing, ZeroFramesTouchNothing)
{
	start(44100, 512);
	Stereo in(4);
	Stereo out(4);
	std::fill(out.l.begin(), out.l.end(), 3.0f);
	fx->processReplacing(fx, in.ptrs(), out.ptrs(), 0);
	fx->process(fx, in.ptrs(), out.ptrs(), 0);
	fx->processReplacing(fx, in.ptrs(), out.ptrs(), -5);
	EXPECT_EQ(out.l[0], 3.0f);
}

TEST_F(PluginProcessing, InPlaceBuffersEqualSeparateOnes)
{
	PluginHarness host2;
	AEffect *fx2 = host2.open();
	ASSERT_NE(fx2, nullptr);
	for (AEffect *e : {fx, fx2})
	{
		PluginHarness::dispatch(e, effSetProgram, 0, 1);
		PluginHarness::dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
		PluginHarness::dispatch(e, effMainsChanged, 0, 1);
	}
	Stereo in(4096);
	noise(in, 7);
	const auto separate = render(fx, in, 256, false);
	std::vector<float> inplace;
	Stereo buf(256);
	for (std::size_t pos = 0; pos < 4096; pos += 256)
	{
		std::copy_n(in.l.begin() + static_cast<long>(pos), 256, buf.l.begin());
		std::copy_n(in.r.begin() + static_cast<long>(pos), 256, buf.r.begin());
		fx2->processReplacing(fx2, buf.ptrs(), buf.ptrs(), 256);
		inplace.insert(inplace.end(), buf.l.begin(), buf.l.end());
		inplace.insert(inplace.end(), buf.r.begin(), buf.r.end());
	}
	EXPECT_EQ(separate, inplace);
	host2.close(fx2);
}

TEST_F(PluginProcessing, AccumulatingFormAddsToTheOutput)
{
	PluginHarness host2;
	AEffect *fx2 = host2.open();
	ASSERT_NE(fx2, nullptr);
	for (AEffect *e : {fx, fx2})
	{
		PluginHarness::dispatch(e, effSetProgram, 0, 1);
		PluginHarness::dispatch(e, effMainsChanged, 0, 1);
	}
	Stereo in(1024);
	noise(in, 3);
	Stereo rep(1024);
	Stereo acc(1024);
	std::fill(acc.l.begin(), acc.l.end(), 0.25f);
	std::fill(acc.r.begin(), acc.r.end(), 0.25f);
	fx->processReplacing(fx, in.ptrs(), rep.ptrs(), 1024);
	fx2->process(fx2, in.ptrs(), acc.ptrs(), 1024);
	for (int i = 0; i < 1024; ++i)
	{
		EXPECT_NEAR(acc.l[i], rep.l[i] + 0.25f, 1e-6f) << i;
		EXPECT_NEAR(acc.r[i], rep.r[i] + 0.25f, 1e-6f) << i;
	}
	host2.close(fx2);
}

TEST_F(PluginProcessing, ProcessingBeforeResumeAndAfterSuspendStaysSane)
{
	Stereo in(512);
	noise(in, 11);
	EXPECT_TRUE(is_sane(render(fx, in, 512, false)));
	PluginHarness::dispatch(fx, effMainsChanged, 0, 0);
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, 0.0f);
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, -44100.0f);
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, std::nanf(""));
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, 96000.0f);
	PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	EXPECT_TRUE(is_sane(render(fx, in, 128, false)));
}

TEST_F(PluginProcessing, SilenceAfterNoiseDecaysToExactZeroOrTiny)
{
	PluginHarness::dispatch(fx, effSetProgram, 0, 7);
	start(44100, 512);
	Stereo in(44100);
	noise(in, 5);
	render(fx, in, 512, false);
	Stereo silence(44100 * 4);
	const auto out = render(fx, silence, 512, false);
	EXPECT_TRUE(is_sane(out));
	float tail = 0;
	for (std::size_t i = out.size() - 1024; i < out.size(); ++i)
		tail = std::max(tail, std::fabs(out[i]));
	EXPECT_LT(tail, 1e-3f);
}
