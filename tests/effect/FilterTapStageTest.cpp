#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "dsp/Filter2p.h"
#include "effect/FilterTapStage.h"
#include "plegg/PluginInternal.h"

namespace
{

class Registry : public plegg::PluginInternal
{
public:
	plegg::NormalizedParamInterface &param(int i) { return *param_list[i]; }
	int size() const { return nbr_param; }
};

// A stage set up as the engine does it: `nbr` steady bands at freq, 2 freq...
struct Stage
{
	Stage(int nbr, float freq, bool stereo = false)
	{
		st.init(reg);
		st.set_default_state();
		st.set_sample_freq(44100.0f);
		st.set_stereo_flag(stereo);
		for (int k = 0; k < nbr; ++k) {
			st.set_cutoff_freq(freq * (float)(k + 1), k);
			st.set_q((float)(k + 1), k);
		}
		set_counts(nbr);
		st.clear_buffers();
	}

	void set_counts(int nbr)
	{
		st.set_nbr_active_band(nbr);
		st.set_first_rband(nbr);
		st.set_first_rband_decreasing(nbr);
	}

	// Processes mono or stereo input in blocks of 64 with a tick before each.
	void run(std::vector<float> &out_l, std::vector<float> &out_r, const std::vector<float> &in_l,
	         const std::vector<float> &in_r, long block = 64)
	{
		for (size_t pos = 0; pos < in_l.size(); pos += block) {
			st.tick(64);
			const float *ip[2] = {in_l.data() + pos, in_r.data() + pos};
			float *op[2] = {out_l.data() + pos, out_r.data() + pos};
			st.process_block(op, ip, block);
		}
	}

	Registry reg;
	FilterTapStage st;
};

TEST(FilterTapStage, RegistersEvolutionThenTone)
{
	Stage s(1, 1000.0f);
	ASSERT_EQ(s.reg.size(), 2);
	char name[32];
	s.reg.param(0).get_name(name, sizeof(name));
	EXPECT_STREQ(name, "Evolution");
	s.reg.param(1).get_name(name, sizeof(name));
	EXPECT_STREQ(name, "Tone");
	EXPECT_EQ(s.reg.param(0).notified, static_cast<plegg::NotifiedInterface *>(&s.st));
	EXPECT_EQ(s.st.get_band_gain(), 0.5f); // Tone 0.5: sin(pi / 4) * 0.70710677
	EXPECT_EQ(s.st.use_band(1, 3).type, 3);
}

TEST(FilterTapStage, EvolutionSpacesTheBandDelays)
{
	Stage s(15, 100.0f);
	for (int k = 0; k < 15; ++k)
		EXPECT_EQ(s.st.get_delay_spl(k), 0);
	s.reg.param(0).change_val(10.0);
	s.st.clear_buffers();
	for (int k = 0; k < 15; ++k)
		EXPECT_EQ(s.st.get_delay_spl(k), (int)std::floor(441.0 * k + 0.5)) << k;
	s.reg.param(0).change_val(-10.0);
	s.st.clear_buffers();
	for (int k = 0; k < 15; ++k)
		EXPECT_EQ(s.st.get_delay_spl(k), (int)std::floor(441.0 * (15 - k) + 0.5)) << k;
	// The longest delay at the largest rate stays inside the line.
	s.st.set_sample_freq(96000.0f);
	s.reg.param(0).change_val(-50.0);
	s.st.clear_buffers();
	EXPECT_EQ(s.st.get_delay_spl(0), 72000);
}

TEST(FilterTapStage, EvolutionGlidesAndTheDelaysFollowInWholeSamples)
{
	Stage s(3, 500.0f);
	s.reg.param(0).change_val(50.0);
	std::vector<float> z(64 * 70), out(z.size()), out_r(z.size());
	s.run(out, out_r, z, z);
	EXPECT_FALSE(s.st.use_delay_inertia().is_moving());
	EXPECT_EQ(s.st.get_delay_spl(1), 2205);
	EXPECT_EQ(s.st.get_delay_spl(2), 4410);
}

TEST(FilterTapStage, DelayedBandsSumAndTakeTheBandGain)
{
	// Two bands, band 1 read 441 samples late: the output is band 0's
	// response to the input plus band 1's response to the input delayed.
	Stage s(2, 1000.0f);
	s.reg.param(0).change_val(10.0);
	s.st.clear_buffers();
	const long n = 64 * 20;
	std::vector<float> in(n, 0.0f), out(n), out_r(n);
	in[5] = 1.0f;
	s.run(out, out_r, in, in);

	dsp::Filter2p ref[2];
	for (int k = 0; k < 2; ++k) {
		ref[k].type = 3;
		ref[k].q = (float)(k + 1);
		ref[k].freq = 1000.0f * (k + 1);
		ref[k].update_eq();
	}
	std::vector<float> y0(n), y1(n + 441, 0.0f), delayed(n + 441, 0.0f);
	std::copy(in.begin(), in.end(), delayed.begin() + 441);
	ref[0].process_block(y0.data(), in.data(), n);
	ref[1].process_block(y1.data(), delayed.data(), n);
	for (long i = 0; i < n; ++i)
		ASSERT_NEAR(out[i], (y0[i] + y1[i]) * 0.5f, 1e-6f) << i;
}

TEST(FilterTapStage, WriteAcrossTheEndOfTheLineIsSeamless)
{
	Stage a(4, 700.0f, true), b(4, 700.0f, true);
	for (Stage *s : {&a, &b}) {
		s->reg.param(0).change_val(-3.0);
		s->st.clear_buffers();
	}
	b.st.set_write_pos(FilterTapStage::DELAY_LEN - 10);
	const long n = 64 * 40;
	std::vector<float> in_l(n), in_r(n);
	for (long i = 0; i < n; ++i) {
		in_l[i] = std::sin(0.01f * i);
		in_r[i] = std::cos(0.013f * i);
	}
	std::vector<float> al(n), ar(n), bl(n), br(n);
	a.run(al, ar, in_l, in_r);
	b.run(bl, br, in_l, in_r);
	EXPECT_EQ(0, std::memcmp(al.data(), bl.data(), n * sizeof(float)));
	EXPECT_EQ(0, std::memcmp(ar.data(), br.data(), n * sizeof(float)));
	// The first block went in two parts: 10 samples at the end, 54 at the start.
	const float *line = b.st.use_delay_line(0);
	EXPECT_NEAR(line[FilterTapStage::DELAY_LEN - 10], in_l[0], 1e-19f);
	EXPECT_NEAR(line[FilterTapStage::DELAY_LEN - 1], in_l[9], 1e-19f);
	EXPECT_NEAR(line[0], in_l[10], 1e-19f);
}

TEST(FilterTapStage, BlockEndingAtTheLineEndLeavesTheWritePositionThere)
{
	Stage s(1, 1000.0f);
	s.st.set_write_pos(FilterTapStage::DELAY_LEN - 64);
	std::vector<float> z(64), out(64), out_r(64);
	s.run(out, out_r, z, z);
	EXPECT_EQ(s.st.get_write_pos(), FilterTapStage::DELAY_LEN);
	s.run(out, out_r, z, z);
	EXPECT_EQ(s.st.get_write_pos(), 64);
}

TEST(FilterTapStage, SilenceIsWrittenAsDither)
{
	Stage s(1, 1000.0f, true);
	std::vector<float> z(64 * 4), out(z.size()), out_r(z.size());
	s.run(out, out_r, z, z);
	const float *l = s.st.use_delay_line(0);
	const float *r = s.st.use_delay_line(1);
	int plus = 0;
	for (long i = 0; i < (long)z.size(); ++i) {
		ASSERT_TRUE(l[i] == 1e-20f || l[i] == -1e-20f) << i;
		ASSERT_EQ(l[i], r[i]);
		plus += l[i] > 0.0f;
	}
	EXPECT_GT(plus, 64);
	EXPECT_LT(plus, 192);
	// The generator: r = seed * 1103515245 + 12345, bit 16 gives the sign.
	uint32_t seed = 0;
	for (long i = 0; i < 8; ++i) {
		const uint32_t rnd = seed * 1103515245u + 12345u;
		seed = rnd & 0x7FFFFFFFu;
		EXPECT_EQ(l[i], (rnd & 0x10000u) ? 1e-20f : -1e-20f) << i;
	}
}

TEST(FilterTapStage, MonoWritesOnlyTheFirstChannel)
{
	Stage s(3, 1000.0f, false);
	std::vector<float> in(128, 0.5f), out(128), out_r(128, 7.0f);
	s.run(out, out_r, in, in);
	for (float v : out_r)
		ASSERT_EQ(v, 7.0f);
}

TEST(FilterTapStage, NoActiveBandOrSilentToneWritesZeros)
{
	Stage s(0, 1000.0f, true);
	std::vector<float> in(128, 0.5f), out(128, 3.0f), out_r(128, 3.0f);
	s.run(out, out_r, in, in);
	for (long i = 0; i < 128; ++i)
		ASSERT_TRUE(out[i] == 0.0f && out_r[i] == 0.0f);

	Stage t(5, 300.0f, false);
	t.reg.param(1).change_val(0.0); // Tone 0
	t.st.clear_buffers();
	std::fill(out.begin(), out.end(), 3.0f);
	t.run(out, out_r, in, in);
	for (float v : out)
		ASSERT_EQ(v, 0.0f);
}

TEST(FilterTapStage, ToneRampsTheBandGainOver640Samples)
{
	Stage s(2, 1000.0f);
	s.reg.param(1).change_val(1.0);
	std::vector<float> z(64), out(64), out_r(64);
	s.run(out, out_r, z, z); // the tick takes the change, then 64 samples
	const float step = (0.70710677f - 0.5f) / 640.0f;
	float g = 0.5f;
	for (int i = 0; i < 64; ++i)
		g += step;
	EXPECT_EQ(s.st.get_band_gain(), g);
	EXPECT_EQ(s.st.get_band_gain_target(), 0.70710677f);
	for (int t = 0; t < 11; ++t)
		s.run(out, out_r, z, z);
	EXPECT_EQ(s.st.get_band_gain(), 0.70710677f);
}

} // namespace
