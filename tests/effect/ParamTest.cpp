#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "effect/ParamBandDelay.h"
#include "effect/ParamCutFreq.h"
#include "effect/ParamDistoGain.h"
#include "effect/ParamDistoRouting.h"
#include "effect/ParamHarmBalance.h"
#include "effect/ParamHarmFactor.h"
#include "effect/ParamNbrBand.h"
#include "effect/ParamReso.h"

namespace
{

std::string print(const plegg::NormalizedParamInterface &p, double v, long max_len = 23)
{
	char buf[64];
	std::fill(std::begin(buf), std::end(buf), 'x');
	p.do_print_val(buf, max_len, v);
	return buf;
}

// Scans text; returns NaN when it does not scan.
double scan(const plegg::NormalizedParamInterface &p, const char *text)
{
	bool ok = false;
	const double v = p.do_scan_val(text, ok);
	return ok ? v : NAN;
}

std::string name_of(const plegg::NormalizedParamInterface &p, long max_len = 23)
{
	char buf[64] = {};
	p.get_name(buf, max_len);
	return buf;
}

std::string unit_of(const plegg::NormalizedParamInterface &p)
{
	char buf[64] = {};
	p.get_unit(buf, 23);
	return buf;
}

TEST(EffectParams, NamesUnitsRangeTypesAndFreshState)
{
	std::vector<std::unique_ptr<plegg::NormalizedParamInterface>> list;
	list.emplace_back(new ParamCutFreq);
	list.emplace_back(new ParamReso);
	list.emplace_back(new ParamNbrBand);
	list.emplace_back(new ParamDistoGain);
	list.emplace_back(new ParamDistoRouting);
	list.emplace_back(new ParamHarmFactor);
	list.emplace_back(new ParamBandDelay);
	list.emplace_back(new ParamHarmBalance);
	const char *names[] = {"Cutoff Freq", "Resonance", "Nbr Bands", "Dist Gain",
	                       "Dist Routing", "Band Spacing", "Evolution", "Tone"};
	const char *units[] = {"Hz", "", "", "", "", "", "ms", ""};
	const int range_types[] = {0, 0, 1, 0, 1, 0, 0, 0};
	for (size_t i = 0; i < list.size(); ++i) {
		EXPECT_EQ(name_of(*list[i]), names[i]);
		EXPECT_EQ(unit_of(*list[i]), units[i]);
		EXPECT_EQ(list[i]->get_range_type(), range_types[i]) << names[i];
		EXPECT_EQ(list[i]->get_automation_priority(), -1);
		EXPECT_EQ(list[i]->get_val(), 0.0);
		EXPECT_EQ(list[i]->notified, nullptr);
	}
	// Names are cut within the buffer and still terminated.
	EXPECT_EQ(name_of(ParamDistoRouting(), 5), "Dist");
}

TEST(EffectParams, CutoffLaw)
{
	ParamCutFreq p;
	EXPECT_NEAR(p.normalize_val(1000.0), 0.580482f, 1e-6f);
	EXPECT_EQ(p.normalize_val(40.0), 0.0f);
	EXPECT_EQ(p.normalize_val(10240.0), 1.0f);
	EXPECT_NEAR(p.denormalize_val(0.5f), 640.0, 1e-9);
	EXPECT_NEAR(p.denormalize_val(1.0f), 10240.0, 1e-9);
	EXPECT_EQ(p.denormalize_val(0.0f), 40.0);
	for (float n = 0.0f; n <= 1.0f; n += 0.0625f)
		EXPECT_NEAR(p.normalize_val(p.denormalize_val(n)), n, 1e-6f);
}

TEST(EffectParams, CutoffText)
{
	ParamCutFreq p;
	EXPECT_EQ(print(p, 440.0), "440.0");
	EXPECT_EQ(print(p, 40.0), "40.00");
	EXPECT_EQ(print(p, 999.49), "999.4");
	EXPECT_EQ(print(p, 999.5), "1000");
	EXPECT_EQ(print(p, 10240.0), "10240");
	EXPECT_EQ(scan(p, "440 Hz"), 440.0);
	EXPECT_EQ(scan(p, "  1e5"), 10240.0);
	EXPECT_EQ(scan(p, "3"), 40.0);
	EXPECT_TRUE(std::isnan(scan(p, "abc")));
	EXPECT_TRUE(std::isnan(scan(p, "")));
	EXPECT_TRUE(std::isnan(scan(p, "nan")));
	EXPECT_TRUE(std::isnan(scan(p, "inf")));
}

TEST(EffectParams, CutoffNoteNames)
{
	ParamCutFreq p;
	p.set_nfs(true);
	EXPECT_EQ(print(p, 1000.0), "B 6");
	EXPECT_EQ(print(p, 440.0), "A 5");
	EXPECT_EQ(print(p, 40.0), "D#2");
	EXPECT_EQ(print(p, 10240.0), "D#10");
	EXPECT_EQ(print(p, ParamCutFreq::get_freq(60)), "C 5");
	EXPECT_EQ(print(p, 10240.0, 3), "D#");

	EXPECT_NEAR(scan(p, "B 6"), 987.77, 0.01);
	EXPECT_EQ(scan(p, "a5"), 440.0);
	EXPECT_EQ(scan(p, "A 5"), 440.0);
	EXPECT_EQ(scan(p, " :g#3 "), scan(p, "G#3"));
	EXPECT_EQ(scan(p, "B#5"), scan(p, "C 6"));
	EXPECT_EQ(scan(p, "C0"), 40.0);           // 8.18 Hz, clamped
	EXPECT_EQ(scan(p, "A11"), 10240.0);       // clamped
	// The first letter from A to G is the note, wherever it is.
	EXPECT_EQ(scan(p, "note 5"), scan(p, "E 5"));
	EXPECT_TRUE(std::isnan(scan(p, "A12")));  // octave above 11
	EXPECT_TRUE(std::isnan(scan(p, "#5")));   // no letter
	EXPECT_TRUE(std::isnan(scan(p, "A")));    // no octave
	EXPECT_TRUE(std::isnan(scan(p, "1000"))); // plain numbers refused
	// Only the first 15 characters are looked at.
	EXPECT_TRUE(std::isnan(scan(p, "A              5")));
	EXPECT_EQ(scan(p, "A             5"), 440.0);

	EXPECT_EQ(ParamCutFreq::get_note(440.0), 0);
	EXPECT_EQ(ParamCutFreq::get_note(880.0), 12);
	EXPECT_EQ(ParamCutFreq::get_note(1000.0), 14);
	EXPECT_NEAR(ParamCutFreq::get_freq(69), 440.0, 1e-12);
	EXPECT_NEAR(ParamCutFreq::get_freq(57), 220.0, 1e-12);
}

TEST(EffectParams, ResonanceAndDistGainLaws)
{
	ParamReso r;
	EXPECT_EQ(r.normalize_val(1.0), 0.0f);
	EXPECT_NEAR(r.normalize_val(100.0), 1.0f, 1e-7f);
	EXPECT_NEAR(r.denormalize_val(0.5f), 10.0, 1e-5);
	EXPECT_NEAR(r.denormalize_val(1.0f), 100.0, 1e-4);
	EXPECT_EQ(scan(r, "200"), 100.0);
	EXPECT_EQ(scan(r, "0.5"), 1.0);
	EXPECT_TRUE(std::isnan(scan(r, "abc")));
	EXPECT_EQ(print(r, 1.0), "1.000");
	EXPECT_EQ(print(r, 100.0), "100.0");
	EXPECT_EQ(print(r, 2.999999), "2.999");

	ParamDistoGain g;
	EXPECT_EQ(g.normalize_val(1.0), 0.0f);
	EXPECT_NEAR(g.normalize_val(10.0), 1.0f, 1e-7f);
	EXPECT_NEAR(g.denormalize_val(1.0f), 10.0, 1e-12);
	EXPECT_NEAR(g.denormalize_val(0.5f), std::sqrt(10.0), 1e-12);
	EXPECT_EQ(scan(g, "11"), 10.0);
}

TEST(EffectParams, BandCount)
{
	ParamNbrBand p;
	EXPECT_EQ(p.denormalize_val(0.5f), 9.0);
	EXPECT_EQ(p.denormalize_val(0.0f), 1.0);
	EXPECT_EQ(p.denormalize_val(1.0f), 16.0);
	EXPECT_EQ(p.normalize_val(1.0), 0.0f);
	EXPECT_EQ(p.normalize_val(16.0), 1.0f);
	for (int v = 1; v <= 16; ++v)
		EXPECT_EQ(p.denormalize_val(p.normalize_val(v)), v);
	EXPECT_EQ(print(p, 9.0), "9");
	EXPECT_EQ(print(p, 16.0), "16");
	EXPECT_EQ(print(p, 1e12), "21"); // at most 2 characters
	EXPECT_EQ(scan(p, "3.6"), 4.0);
	EXPECT_EQ(scan(p, "40"), 16.0);
	EXPECT_EQ(scan(p, "-2"), 1.0);
}

TEST(EffectParams, Routing)
{
	ParamDistoRouting p;
	EXPECT_EQ(p.denormalize_val(0.49f), 0.0);
	EXPECT_EQ(p.denormalize_val(0.5f), 1.0);
	EXPECT_EQ(p.normalize_val(1.0), 1.0f);
	EXPECT_EQ(print(p, 0.0), "Pre");
	EXPECT_EQ(print(p, 1.0), "Post");
	EXPECT_EQ(scan(p, "PRE"), 0.0);
	EXPECT_EQ(scan(p, " the Post "), 1.0);
	EXPECT_EQ(scan(p, "prepost"), 0.0);
	EXPECT_EQ(scan(p, "postpre"), 0.0);
	EXPECT_TRUE(std::isnan(scan(p, "pr e")));
	EXPECT_TRUE(std::isnan(scan(p, "")));
}

TEST(EffectParams, SpacingEvolutionTone)
{
	ParamHarmFactor h;
	EXPECT_EQ(h.normalize_val(2.0), 0.25f);
	EXPECT_EQ(h.denormalize_val(0.25f), 2.0);
	EXPECT_EQ(h.denormalize_val(1.0f), 5.0);
	EXPECT_EQ(scan(h, "0"), 1.0);

	ParamBandDelay d;
	EXPECT_EQ(d.normalize_val(0.0), 0.5f);
	EXPECT_EQ(d.denormalize_val(0.5f), 0.0);
	EXPECT_EQ(d.denormalize_val(0.75f), 6.25);
	EXPECT_EQ(d.denormalize_val(0.25f), -6.25);
	EXPECT_EQ(d.denormalize_val(1.0f), 50.0);
	EXPECT_EQ(d.denormalize_val(0.0f), -50.0);
	EXPECT_NEAR(d.normalize_val(6.25), 0.75f, 1e-7f);
	EXPECT_NEAR(d.normalize_val(-50.0), 0.0f, 1e-7f);
	EXPECT_EQ(print(d, -12.5), "-12.5");
	EXPECT_EQ(scan(d, "-70 ms"), -50.0);

	ParamHarmBalance t;
	EXPECT_EQ(t.normalize_val(0.3), 0.3f);
	EXPECT_EQ(t.denormalize_val(0.3f), (double)0.3f);
	EXPECT_EQ(print(t, 0.5), "0.500");
	EXPECT_EQ(scan(t, "2"), 1.0);
}

TEST(EffectParams, PrintingNeverOverrunsTheBuffer)
{
	ParamReso r;
	char buf[8];
	std::fill(std::begin(buf), std::end(buf), 'x');
	r.do_print_val(buf, 3, 1e300);
	EXPECT_STREQ(buf, "10");
	EXPECT_EQ(buf[3], 'x');
	r.do_print_val(buf, 0, 1.0);
	EXPECT_EQ(buf[0], '1');
	ParamCutFreq c;
	c.set_nfs(true);
	c.do_print_val(buf, 8, -5.0); // outside the range: some note, no crash
	c.do_print_val(buf, 8, NAN);
}

} // namespace
