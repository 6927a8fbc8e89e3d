#include "dsp/Biquad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace
{

// The one-sample rule, written out independently of the class.
struct RefBiquad
{
	float b0, b1, b2, a1, a2;
	float x1 = 0, x2 = 0, y1 = 0, y2 = 0;

	float step(float x, float offset = 0.0f)
	{
		float y = ((((b0 * x) + offset) + b1 * x1) + b2 * x2) - ((a1 * y1) + (a2 * y2));
		x2 = x1;
		x1 = x;
		y2 = y1;
		y1 = y;
		return y;
	}
};

void set_coefs(dsp::Biquad &bq, const RefBiquad &ref)
{
	bq.b0 = ref.b0;
	bq.b1 = ref.b1;
	bq.b2 = ref.b2;
	bq.a1 = ref.a1;
	bq.a2 = ref.a2;
}

bool same_bits(float a, float b)
{
	return std::memcmp(&a, &b, sizeof(a)) == 0;
}

std::vector<float> noise(long n, unsigned seed)
{
	std::mt19937 gen(seed);
	std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
	std::vector<float> v(n);
	for (float &s : v)
		s = dist(gen);
	return v;
}

const RefBiquad RESONANT{0.02f, 0.0f, -0.02f, -1.9f, 0.96f};

// Block splits that exercise both parities of mem_pos.
const std::vector<std::vector<long>> SPLITS = {
	{200}, {3, 5, 192}, {1, 1, 1, 197}, {7, 64, 63, 66}, {0, 2, 0, 33, 165}};

TEST(Biquad, BlockFormsMatchTheOneSampleRuleForAnySplit)
{
	const std::vector<float> in = noise(200, 1);
	for (const auto &split : SPLITS) {
		dsp::Biquad bq;
		set_coefs(bq, RESONANT);
		RefBiquad ref = RESONANT;
		std::vector<float> out(200, 0.0f);
		long pos = 0;
		for (long len : split) {
			bq.process_block(out.data() + pos, in.data() + pos, len);
			pos += len;
		}
		ASSERT_EQ(pos, 200);
		for (long i = 0; i < 200; ++i)
			ASSERT_TRUE(same_bits(out[i], ref.step(in[i]))) << "sample " << i;
		EXPECT_EQ(bq.mem_pos, 0);
	}
}

TEST(Biquad, MixAddsTheFilteredSignal)
{
	const std::vector<float> in = noise(101, 2);
	const std::vector<float> base = noise(101, 3);
	dsp::Biquad bq;
	set_coefs(bq, RESONANT);
	RefBiquad ref = RESONANT;
	std::vector<float> out = base;
	bq.process_block_mix(out.data(), in.data(), 50);
	bq.process_block_mix(out.data() + 50, in.data() + 50, 51);
	for (long i = 0; i < 101; ++i)
		ASSERT_TRUE(same_bits(out[i], base[i] + ref.step(in[i])));
}

TEST(Biquad, InPlaceEqualsSeparateBuffers)
{
	const std::vector<float> in = noise(77, 4);
	dsp::Biquad a;
	dsp::Biquad b;
	set_coefs(a, RESONANT);
	set_coefs(b, RESONANT);
	std::vector<float> sep(77);
	std::vector<float> inplace = in;
	a.process_block_nd(sep.data(), in.data(), 77);
	b.process_block_nd(inplace.data(), 77);
	EXPECT_EQ(0, std::memcmp(sep.data(), inplace.data(), 77 * sizeof(float)));
}

TEST(Biquad, AntiDenormalOffsetGoesOnTheFirstSampleOfEachPairOnly)
{
	// Identity section: the output shows where the offset was added.
	dsp::Biquad bq;
	std::vector<float> in(9, 0.0f);
	std::vector<float> out(9, -1.0f);
	bq.process_block_nd(out.data(), in.data(), 3); // pair, then a single
	EXPECT_EQ(out[0], 1e-20f);
	EXPECT_EQ(out[1], 0.0f);
	EXPECT_EQ(out[2], 0.0f);
	EXPECT_EQ(bq.mem_pos, 1);
	// mem_pos 1: the first sample realigns without an offset, then pairs.
	bq.process_block_nd(out.data() + 3, in.data() + 3, 6);
	EXPECT_EQ(out[3], 0.0f);
	EXPECT_EQ(out[4], 1e-20f);
	EXPECT_EQ(out[5], 0.0f);
	EXPECT_EQ(out[6], 1e-20f);
	EXPECT_EQ(out[7], 0.0f);
	EXPECT_EQ(out[8], 0.0f);
}

TEST(Biquad, AntiDenormalFormMatchesReferenceWithTheOffset)
{
	const std::vector<float> in = noise(130, 5);
	dsp::Biquad bq;
	set_coefs(bq, RESONANT);
	RefBiquad ref = RESONANT;
	std::vector<float> out(130);
	bq.process_block_nd(out.data(), in.data(), 65);
	bq.process_block_nd(out.data() + 65, in.data() + 65, 65);
	for (long i = 0; i < 130; ++i) {
		// First block: pairs at 0, 2, ... 62, single 64. Second block starts
		// at mem_pos 1: single 65, pairs at 66, 68, ... 128.
		const bool first_of_pair = (i < 64 && i % 2 == 0) || (i >= 66 && i % 2 == 0);
		ASSERT_TRUE(same_bits(out[i], ref.step(in[i], first_of_pair ? 1e-20f : 0.0f))) << i;
	}
}

TEST(Biquad, SilentInputDecaysToATinyLevelNotDenormals)
{
	dsp::Biquad bq;
	set_coefs(bq, RESONANT);
	std::vector<float> buf(64, 0.0f);
	buf[0] = 1.0f;
	for (int blk = 0; blk < 4000; ++blk) {
		bq.process_block_nd(buf.data(), 64);
		std::fill(buf.begin(), buf.end(), 0.0f);
	}
	EXPECT_TRUE(bq.check_denormal());
	EXPECT_NE(bq.mem_y[0], 0.0f);
	EXPECT_LT(std::fabs(bq.mem_y[0]), 1e-15f);
}

TEST(Biquad, ZeroLengthBlockChangesNothing)
{
	dsp::Biquad bq;
	bq.mem_pos = 1;
	bq.mem_y[1] = 0.5f;
	bq.process_block(nullptr, nullptr, 0);
	EXPECT_EQ(bq.mem_pos, 1);
	EXPECT_EQ(bq.mem_y[1], 0.5f);
}

TEST(Biquad, ClipFormFeedsTheClippedValueBack)
{
	const std::vector<float> in = noise(21, 6);
	dsp::Biquad bq;
	set_coefs(bq, RESONANT);
	bq.b0 = 3.0f;
	RefBiquad ref = RESONANT;
	ref.b0 = 3.0f;
	const float k = 1.0f / ((6.0f * 2.0f) * 2.0f);
	std::vector<float> out(21);
	bq.process_block_clip(out.data(), in.data(), 10, 2.0f);
	bq.process_block_clip(out.data() + 10, in.data() + 10, 11, 2.0f);
	for (long i = 0; i < 21; ++i) {
		float y = ref.step(in[i]);
		y = y * (1.0f - (y * y) * k);
		ref.y1 = y;
		ASSERT_TRUE(same_bits(out[i], y)) << i;
	}
}

TEST(Biquad, LimiterScalesDownAboveUnitLevel)
{
	dsp::Biquad bq; // identity
	dsp::EnvFollowerBase env;
	env.coef = 1.0f; // level follows |y * gain| at once
	std::vector<float> in = {0.5f, 4.0f, -2.0f};
	std::vector<float> out(3);
	bq.process_block_limit(out.data(), in.data(), 3, env, 1.0f);
	EXPECT_EQ(out[0], 0.5f);
	EXPECT_EQ(out[1], 1.0f);
	EXPECT_EQ(out[2], -1.0f);
	EXPECT_EQ(env.level, 2.0f);
}

TEST(Biquad, MemoryHelpers)
{
	dsp::Biquad bq;
	bq.mem_y[0] = 3.0f;
	bq.mem_y[1] = -5.0f;
	bq.clip_memory(2.0f);
	EXPECT_EQ(bq.mem_y[0], 2.0f);
	EXPECT_EQ(bq.mem_y[1], -2.0f);

	bq.mem_y[0] = 1e-40f;
	EXPECT_FALSE(bq.check_denormal());
	bq.mem_y[0] = 0.0f;
	EXPECT_TRUE(bq.check_denormal());

	bq.mem_pos = 1;
	bq.clear_buffers();
	EXPECT_EQ(bq.mem_pos, 0);
	EXPECT_EQ(bq.mem_y[1], 0.0f);
}

} // namespace
