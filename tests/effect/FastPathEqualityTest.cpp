// The lane-parallel paths (SSE2, AVX2) against the plain scalar code: the
// same input from the same state must give the same output bits, in every
// signal path, process form, block size, rate, band count and movement.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/effect/EngineFixture.h"

namespace
{

using dsp::SimdPath;

std::vector<SimdPath> vector_paths()
{
	std::vector<SimdPath> paths{SimdPath::SSE2};
	if (dsp::is_simd_path_supported(SimdPath::AVX2))
		paths.push_back(SimdPath::AVX2);
	return paths;
}

float bands_norm(int nbr_bands)
{
	return (float)(nbr_bands - 1) / 15.0f;
}

struct Change
{
	long at;   // frame before which it applies
	int param;
	float norm;
};

struct Case
{
	std::string name;
	bool in_stereo = true;
	bool out_stereo = true;
	float rate = 44100.0f;
	std::vector<long> blocks = {512}; // cycled through
	bool mix = false;
	long frames = 12000;
	float amp = 0.5f;
	long silence_from = -1; // input silent from here on
	std::vector<Change> changes;
	std::vector<long> flip_out_stereo; // frames before which the right output is (dis)connected
	long plain_from = -1, plain_to = -1; // frames run on the scalar path whatever the path
};

// Renders the case through an engine on the given path; the output buffers
// start as noise of their own (they matter in the accumulating form).
Stereo render_case(const Case &c, SimdPath path)
{
	Engine e(c.in_stereo, c.out_stereo, c.rate);
	e.dsp->set_simd_path(path);
	Stereo in = make_noise(c.frames, 11, c.amp);
	if (c.silence_from >= 0) {
		std::fill(in.l.begin() + c.silence_from, in.l.end(), 0.0f);
		std::fill(in.r.begin() + c.silence_from, in.r.end(), 0.0f);
	}
	Stereo out = make_noise(c.frames, 12, 0.25f);
	size_t next = 0;
	size_t bi = 0;
	size_t next_flip = 0;
	for (long pos = 0; pos < c.frames;) {
		while (next < c.changes.size() && c.changes[next].at <= pos) {
			e.set(c.changes[next].param, c.changes[next].norm);
			++next;
		}
		while (next_flip < c.flip_out_stereo.size() && c.flip_out_stereo[next_flip] <= pos) {
			e.host.out_stereo = !e.host.out_stereo;
			++next_flip;
		}
		const SimdPath want = (pos >= c.plain_from && pos < c.plain_to) ? SimdPath::SCALAR : path;
		if (want != e.dsp->get_simd_path())
			e.dsp->set_simd_path(want);
		const long len = std::min(c.blocks[bi++ % c.blocks.size()], c.frames - pos);
		const float *ip[2] = {in.l.data() + pos, in.r.data() + pos};
		float *op[2] = {out.l.data() + pos, out.r.data() + pos};
		if (c.mix)
			e.dsp->do_process_mix(op, ip, len, false);
		else
			e.dsp->do_process_replacing(op, ip, len, false);
		pos += len;
	}
	return out;
}

// First differing frame, or -1.
long first_difference(const std::vector<float> &a, const std::vector<float> &b)
{
	for (size_t i = 0; i < a.size(); ++i) {
		if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0)
			return (long)i;
	}
	return -1;
}

void expect_same_bits(const Case &c)
{
	const Stereo ref = render_case(c, SimdPath::SCALAR);
	for (SimdPath path : vector_paths()) {
		const Stereo got = render_case(c, path);
		const long dl = first_difference(ref.l, got.l);
		const long dr = first_difference(ref.r, got.r);
		EXPECT_EQ(dl, -1) << c.name << " on " << dsp::simd_path_name(path) << ": left differs at frame " << dl
		                  << " (" << (dl >= 0 ? ref.l[dl] : 0.f) << " vs " << (dl >= 0 ? got.l[dl] : 0.f) << ")";
		EXPECT_EQ(dr, -1) << c.name << " on " << dsp::simd_path_name(path) << ": right differs at frame " << dr;
	}
}

// Plenty of movement: all bands fading in, every smoothed parameter gliding,
// "Tone" and the band count changing back and forth.
std::vector<Change> busy_changes()
{
	return {
		{0, VorluneDsp::PARAM_NBR_BAND, bands_norm(16)},
		{0, VorluneDsp::PARAM_HARM_FACTOR, 0.0f},
		{0, VorluneDsp::PARAM_RESO, 0.3f},
		{0, VorluneDsp::PARAM_DISTO_GAIN, 0.4f},
		{1500, VorluneDsp::PARAM_CUTOFF, 0.45f},
		{2200, VorluneDsp::PARAM_BAND_DELAY, 0.62f},
		{3000, VorluneDsp::PARAM_HARM_BALANCE, 0.9f},
		{3900, VorluneDsp::PARAM_NBR_BAND, bands_norm(5)},
		{4600, VorluneDsp::PARAM_HARM_FACTOR, 0.3f},
		{5200, VorluneDsp::PARAM_NBR_BAND, bands_norm(12)},
		{6000, VorluneDsp::PARAM_BAND_DELAY, 0.38f},
		{7000, VorluneDsp::PARAM_HARM_BALANCE, 0.2f},
		{7700, VorluneDsp::PARAM_RESO, 0.8f},
		{8500, VorluneDsp::PARAM_BAND_DELAY, 0.5f},
		{9000, VorluneDsp::PARAM_DISTO_GAIN, 1.0f},
		{9800, VorluneDsp::PARAM_CUTOFF, 0.7f},
	};
}

TEST(FastPathEquality, EverySignalPathInBothFormsGivesTheScalarBits)
{
	struct Conn
	{
		bool in, out;
	};
	const Conn conns[] = {{true, true}, {false, true}, {true, false}, {false, false}};
	for (const float routing : {0.0f, 1.0f}) {
		for (const Conn &cn : conns) {
			for (const bool mix : {false, true}) {
				Case c;
				c.name = std::string(routing < 0.5f ? "Pre" : "Post") + (cn.in ? " stereo in" : " mono in") +
				         (cn.out ? " stereo out" : " mono out") + (mix ? " accumulating" : " replacing");
				c.in_stereo = cn.in;
				c.out_stereo = cn.out;
				c.mix = mix;
				c.blocks = {100, 64, 37, 512};
				c.changes = busy_changes();
				c.changes.insert(c.changes.begin(), {0, VorluneDsp::PARAM_DISTO_ROUTING, routing});
				expect_same_bits(c);
			}
		}
	}
}

TEST(FastPathEquality, BlockSizesAndRates)
{
	for (const float rate : {4000.0f, 44100.0f, 96000.0f}) {
		for (const long block : {1L, 63L, 64L, 100L, 512L, 4096L}) {
			Case c;
			c.name = "rate " + std::to_string((int)rate) + " block " + std::to_string(block);
			c.rate = rate;
			c.blocks = {block};
			c.frames = (block == 1) ? 5000 : 12000;
			c.changes = busy_changes();
			expect_same_bits(c);
		}
	}
}

TEST(FastPathEquality, EveryBandCountSteadyAndFading)
{
	for (int bands = 1; bands <= 16; ++bands) {
		for (const float routing : {0.0f, 1.0f}) {
			Case c;
			c.name = std::to_string(bands) + " bands";
			c.blocks = {64, 200};
			c.frames = 6000;
			c.changes = {{0, VorluneDsp::PARAM_DISTO_ROUTING, routing},
			             {0, VorluneDsp::PARAM_HARM_FACTOR, 0.0f},
			             {0, VorluneDsp::PARAM_NBR_BAND, bands_norm(bands)},
			             // fade down to one band, then back up
			             {3000, VorluneDsp::PARAM_NBR_BAND, 0.0f},
			             {3500, VorluneDsp::PARAM_NBR_BAND, bands_norm(bands)}};
			expect_same_bits(c);
		}
	}
}

TEST(FastPathEquality, GlidesOfEachSmoothedParameter)
{
	const struct
	{
		const char *name;
		int param;
		float from, to;
	} glides[] = {
		{"cutoff", VorluneDsp::PARAM_CUTOFF, 0.3f, 0.75f},
		{"spacing", VorluneDsp::PARAM_HARM_FACTOR, 0.0f, 0.6f},
		{"resonance", VorluneDsp::PARAM_RESO, 0.0f, 1.0f},
		{"evolution up", VorluneDsp::PARAM_BAND_DELAY, 0.5f, 1.0f},
		{"evolution down", VorluneDsp::PARAM_BAND_DELAY, 0.5f, 0.0f},
		{"dist gain", VorluneDsp::PARAM_DISTO_GAIN, 0.0f, 1.0f},
	};
	for (const auto &g : glides) {
		for (const bool mix : {false, true}) {
			Case c;
			c.name = std::string(g.name) + " glide";
			c.mix = mix;
			c.blocks = {64, 17, 300};
			c.changes = {{0, VorluneDsp::PARAM_NBR_BAND, bands_norm(16)},
			             {0, VorluneDsp::PARAM_HARM_FACTOR, 0.0f},
			             {0, g.param, g.from},
			             {4000, g.param, g.to},
			             {8000, g.param, g.from}};
			expect_same_bits(c);
		}
	}
}

TEST(FastPathEquality, ToneAtItsEndsAndRamping)
{
	for (const float tone : {0.0f, 1.0f, 0.25f}) {
		for (const int bands : {1, 9}) {
			for (const float routing : {0.0f, 1.0f}) {
				Case c;
				c.name = "Tone " + std::to_string(tone) + ", " + std::to_string(bands) + " bands";
				c.blocks = {64, 100};
				c.changes = {{0, VorluneDsp::PARAM_DISTO_ROUTING, routing},
				             {0, VorluneDsp::PARAM_NBR_BAND, bands_norm(bands)},
				             {0, VorluneDsp::PARAM_HARM_BALANCE, tone},
				             {5000, VorluneDsp::PARAM_HARM_BALANCE, 1.0f - tone}};
				expect_same_bits(c);
			}
		}
	}
}

TEST(FastPathEquality, SilenceAfterNoise)
{
	for (const int bands : {1, 16}) {
		for (const bool mix : {false, true}) {
			Case c;
			c.name = "silence after noise, " + std::to_string(bands) + " bands";
			c.mix = mix;
			c.frames = 30000;
			c.silence_from = 4000;
			c.changes = {{0, VorluneDsp::PARAM_NBR_BAND, bands_norm(bands)},
			             {0, VorluneDsp::PARAM_HARM_FACTOR, 0.0f},
			             {0, VorluneDsp::PARAM_DISTO_GAIN, 0.7f}};
			expect_same_bits(c);
		}
	}
}

// The vector path keeps band memories in its lanes between blocks; they
// must come back whole when the plain path takes over, when the right output
// comes and goes, and across band count changes that fade.
TEST(FastPathEquality, HandOversOfTheBandMemories)
{
	for (const bool mix : {false, true}) {
		Case c;
		c.name = std::string("hand-overs") + (mix ? ", mixing" : "");
		c.mix = mix;
		c.blocks = {64, 37, 512, 3};
		c.frames = 16000;
		c.changes = {{0, VorluneDsp::PARAM_NBR_BAND, bands_norm(16)},
		             {0, VorluneDsp::PARAM_HARM_FACTOR, 0.0f},
		             {2500, VorluneDsp::PARAM_CUTOFF, 0.4f},
		             {6000, VorluneDsp::PARAM_NBR_BAND, bands_norm(7)},
		             {9000, VorluneDsp::PARAM_NBR_BAND, bands_norm(13)}};
		c.flip_out_stereo = {3001, 4500, 7000, 7100, 12000};
		c.plain_from = 5000;
		c.plain_to = 5700;
		expect_same_bits(c);
	}
}

TEST(FastPathEquality, LoudInputAndExtremeSettings)
{
	for (const float v : {0.0f, 1.0f}) {
		Case c;
		c.name = "extremes " + std::to_string(v);
		c.amp = 40.0f;
		c.blocks = {1, 4096, 63};
		c.changes = {{0, VorluneDsp::PARAM_CUTOFF, v},
		             {0, VorluneDsp::PARAM_RESO, 1.0f - v},
		             {0, VorluneDsp::PARAM_NBR_BAND, bands_norm(16)},
		             {0, VorluneDsp::PARAM_DISTO_GAIN, 1.0f},
		             {0, VorluneDsp::PARAM_HARM_FACTOR, v},
		             {0, VorluneDsp::PARAM_BAND_DELAY, v},
		             {6000, VorluneDsp::PARAM_DISTO_ROUTING, 0.0f}};
		expect_same_bits(c);
	}
}

} // namespace
