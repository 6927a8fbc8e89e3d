#include <gtest/gtest.h>

#include <xmmintrin.h>

#include "dsp/Filter2p.h"
#include "tests/effect/EngineFixture.h"
#include "effect/ParamDistoRouting.h"
#include "plegg/ProgramSlot.h"

namespace
{

constexpr int CUTOFF = VorluneDsp::PARAM_CUTOFF;
constexpr int RESO = VorluneDsp::PARAM_RESO;
constexpr int NBR_BAND = VorluneDsp::PARAM_NBR_BAND;
constexpr int DISTO_GAIN = VorluneDsp::PARAM_DISTO_GAIN;
constexpr int ROUTING = VorluneDsp::PARAM_DISTO_ROUTING;
constexpr int SPACING = VorluneDsp::PARAM_HARM_FACTOR;
constexpr int EVOLUTION = VorluneDsp::PARAM_BAND_DELAY;
constexpr int TONE = VorluneDsp::PARAM_HARM_BALANCE;

float bands_norm(int nbr_bands)
{
	return (float)(nbr_bands - 1) / 15.0f;
}

std::string param_name(VorluneDsp &dsp, int i)
{
	char buf[32];
	dsp.get_param_ref(i).get_name(buf, sizeof(buf));
	return buf;
}

class CountingNotified : public plegg::NotifiedInterface
{
public:
	void notify(plegg::NotifierInterface &) override { ++count; }
	int count = 0;
};

TEST(VorluneDsp, ConstructionRegistrationAndProperties)
{
	VorluneDsp bare;
	EXPECT_EQ(bare.get_nbr_param(), 8); // before init, for the host binding
	EXPECT_EQ(bare.get_sample_freq(), 44100.0f);

	Engine e;
	VorluneDsp &dsp = *e.dsp;
	EXPECT_EQ(e.host.init_count, 1);
	EXPECT_EQ(dsp.init(), 0); // a second init registers nothing more
	const char *names[] = {"Cutoff Freq", "Resonance", "Nbr Bands", "Dist Gain",
	                       "Dist Routing", "Band Spacing", "Evolution", "Tone"};
	const float defaults[] = {0.580482f, 0.0f, 0.0f, 0.0f, 1.0f, 0.25f, 0.5f, 0.5f};
	for (int i = 0; i < 8; ++i) {
		EXPECT_EQ(param_name(dsp, i), names[i]);
		EXPECT_NEAR(dsp.get_param_ref(i).get_norm(), defaults[i], 1e-6f) << i;
		EXPECT_EQ(dsp.get_param_ref(i).get_automation_priority(), 2);
	}
	EXPECT_EQ(dsp.get_param_ref(0).notified, static_cast<plegg::NotifiedInterface *>(&dsp));
	EXPECT_NE(dsp.get_param_ref(6).notified, static_cast<plegg::NotifiedInterface *>(&dsp));

	EXPECT_EQ(dsp.get_property("can_mono"), 1.0);
	EXPECT_EQ(dsp.get_property("can_scaled_val"), 0.0);
	EXPECT_EQ(dsp.get_property("plugin_version"), 1.31);
	EXPECT_EQ(dsp.get_property("plugin_Version"), 0.0);
	EXPECT_EQ(dsp.get_string_property("plugin_name"), "Brastoke");
	EXPECT_EQ(dsp.get_string_property("plugin_category"), "effect");
	EXPECT_EQ(dsp.get_string_property("nothing"), "");

	EXPECT_EQ(dsp.get_nbr_in_pin(), 1);
	EXPECT_EQ(dsp.get_input_pin_prop(0).get_name(), "Input");
	EXPECT_EQ(dsp.get_input_pin_prop(0).get_chn_name(1), "Right input");
	EXPECT_EQ(dsp.get_output_pin_prop(0).get_chn_name(0), "Left output");
	EXPECT_EQ(dsp.get_min_sample_freq(), 4000);
	EXPECT_EQ(dsp.get_max_sample_freq(), 96000);
}

TEST(VorluneDsp, InvalidSampleRatesAreIgnored)
{
	Engine e(true, true, 48000.0f);
	for (float bad : {0.0f, -44100.0f, NAN, INFINITY})
		e.dsp->set_sample_freq(bad);
	EXPECT_EQ(e.dsp->get_sample_freq(), 48000.0f);
	EXPECT_EQ(e.dsp->use_harm_lpf(0).sample_freq, 48000.0f);
	EXPECT_EQ(e.dsp->use_filter_stage().get_sample_freq(), 48000.0f);
}

TEST(VorluneDsp, TicksFallEvery64ProcessedSamplesAcrossCalls)
{
	Engine e;
	Stereo in(200), out(200);
	const long blocks[] = {1, 62, 1, 1, 63, 64, 8};
	const int expected[] = {1, 63, 0, 1, 0, 0, 8};
	long pos = 0;
	for (int i = 0; i < 7; ++i) {
		const float *ip[2] = {in.l.data() + pos, in.r.data() + pos};
		float *op[2] = {out.l.data() + pos, out.r.data() + pos};
		e.dsp->do_process_replacing(op, ip, blocks[i], false);
		pos += blocks[i];
		EXPECT_EQ(e.dsp->get_tick_spl_count(), expected[i]) << "after block " << i;
	}
	// A glide needs 69 ticks of 64 samples, whatever the block size: with 8
	// samples counted, the 69th tick comes 69 * 64 - 8 samples later.
	e.set(CUTOFF, 1.0f);
	Stereo in2(69 * 64 - 8 - 1), out2(in2.size());
	render(*e.dsp, out2, in2, 1);
	EXPECT_TRUE(e.dsp->use_cutoff_inertia().is_moving());
	Stereo one(1), one_out(1);
	render(*e.dsp, one_out, one, 1);
	EXPECT_FALSE(e.dsp->use_cutoff_inertia().is_moving());
	EXPECT_EQ(e.dsp->get_tick_spl_count(), 0);
}

TEST(VorluneDsp, BlocksOfAnyMultipleOf64GiveTheSameBits)
{
	const Stereo in = make_noise(8192, 11);
	std::vector<Stereo> results;
	for (long block : {64L, 128L, 512L, 4096L}) {
		Engine e;
		e.set(NBR_BAND, bands_norm(9));
		e.set(CUTOFF, 0.4f);
		e.set(EVOLUTION, 0.7f);
		e.set(TONE, 0.8f);
		e.set(RESO, 0.3f);
		Stereo out(in.size());
		render(*e.dsp, out, in, block);
		results.push_back(out);
	}
	for (size_t i = 1; i < results.size(); ++i) {
		EXPECT_TRUE(same_bits(results[0].l, results[i].l)) << i;
		EXPECT_TRUE(same_bits(results[0].r, results[i].r)) << i;
	}
}

TEST(VorluneDsp, OneBandIsTheDistortedLowPassBranchAlone)
{
	// Defaults: "Nbr Bands" 1, "Post", gain 1, "Tone" 0.5 (low-pass gain 0.5).
	Engine e(false, false);
	const Stereo in = make_noise(1000, 3);
	Stereo out(in.size());
	render(*e.dsp, out, in, 100);

	dsp::Filter2p lpf;
	lpf.type = 0;
	lpf.reso = 1.0f;
	lpf.freq = 1000.0f;
	lpf.sample_freq = 44100.0f;
	lpf.update_eq();
	VorluneDsp::DistoTable table;
	std::vector<float> ref(in.size());
	// The low-pass runs in chunks cut at 64 from each block start.
	for (long blk = 0; blk < in.size(); blk += 100) {
		for (long pos = blk; pos < blk + 100; pos += 64) {
			const long len = std::min(64L, blk + 100 - pos);
			lpf.process_block_nd(ref.data() + pos, in.l.data() + pos, len);
		}
	}
	for (float &s : ref)
		s = VorluneDsp::DistoTable::eval(1.0f * (float)(0.5 * (double)s));
	EXPECT_TRUE(same_bits(out.l, ref));
	EXPECT_EQ(e.dsp->use_filter_stage().get_nbr_active_band(), 0);
}

TEST(VorluneDsp, LimitCountDropsEveryBandAtOnce)
{
	Engine e;
	e.set(NBR_BAND, 1.0f);
	e.set(CUTOFF, 1.0f);
	e.set(SPACING, 1.0f);
	e.dsp->clear_buffers();
	EXPECT_EQ(e.dsp->compute_requested_band_count(), 15);
	EXPECT_EQ(e.dsp->compute_limit_band_count(), 0);
	EXPECT_EQ(e.dsp->use_filter_stage().get_nbr_active_band(), 0);
	// The low-pass is capped below half the rate only when it must be.
	EXPECT_EQ(e.dsp->use_harm_lpf(0).freq, 10240.0f);
	e.dsp->set_sample_freq(8000.0f);
	e.dsp->clear_buffers();
	EXPECT_EQ(e.dsp->use_harm_lpf(0).freq, 3800.0f);
	EXPECT_EQ(e.dsp->use_harm_lpf(1).freq, 3800.0f);
}

TEST(VorluneDsp, BandPlacementFollowsCutoffAndSpacing)
{
	Engine e;
	e.set(NBR_BAND, bands_norm(16));
	e.dsp->clear_buffers();
	// 44100 * 0.475 / 2000 = 10.47: ten bands below 0.475 fs.
	EXPECT_EQ(e.dsp->compute_limit_band_count(), 10);
	EXPECT_EQ(e.dsp->use_filter_stage().get_nbr_active_band(), 10);
	for (int k = 0; k < 10; ++k) {
		EXPECT_EQ(e.dsp->use_filter_stage().use_band(0, k).freq, 2000.0f * (k + 1));
		EXPECT_EQ(e.dsp->use_filter_stage().use_band(0, k).q, (float)(k + 1));
		EXPECT_EQ(e.dsp->use_filter_stage().use_band(0, k).type, 3);
	}
}

TEST(VorluneDsp, GlideArrivesAtItsTargetValues)
{
	Engine e;
	e.set(NBR_BAND, bands_norm(3));
	e.dsp->clear_buffers();
	e.set(CUTOFF, 1.0f);
	e.set(SPACING, 0.0f);
	const Stereo in(64 * 80);
	Stereo out(in.size());
	render(*e.dsp, out, in, 64);
	EXPECT_EQ(e.dsp->use_harm_lpf(0).freq, 10240.0f);
	EXPECT_EQ(e.dsp->use_harm_lpf(1).b0, e.dsp->use_harm_lpf(0).b0);
	EXPECT_EQ(e.dsp->use_filter_stage().get_nbr_active_band(), 2);
	EXPECT_EQ(e.dsp->use_filter_stage().use_band(0, 0).freq, 10240.0f);
	EXPECT_EQ(e.dsp->use_filter_stage().use_band(0, 1).freq, 20480.0f);
}

TEST(VorluneDsp, ToneExtremes)
{
	Engine e;
	e.set(NBR_BAND, bands_norm(6));
	e.set(TONE, 0.0f);
	e.dsp->clear_buffers();
	EXPECT_EQ(e.dsp->use_filter_stage().get_band_gain(), 0.0f);
	EXPECT_EQ(e.dsp->get_harm_lpf_gain(), 0.7071067811865476);

	e.set(TONE, 1.0f);
	e.dsp->clear_buffers();
	EXPECT_EQ(e.dsp->use_filter_stage().get_band_gain(), 0.70710677f);
	EXPECT_NEAR(e.dsp->get_harm_lpf_gain(), 4.3e-17, 1e-18);

	// From 0.5 to 1 both gains ramp over 640 samples, then stay.
	e.set(TONE, 0.5f);
	e.dsp->clear_buffers();
	e.set(TONE, 1.0f);
	const Stereo in(64 * 12);
	Stereo out(in.size());
	render(*e.dsp, out, in, 64);
	EXPECT_EQ(e.dsp->use_filter_stage().get_band_gain(), 0.70710677f);
	EXPECT_EQ(e.dsp->get_harm_lpf_gain(), e.dsp->get_harm_lpf_gain_wanted());
}

TEST(VorluneDsp, ToneZeroLeavesOnlyTheLowPass)
{
	Engine a(false, false), b(false, false);
	for (Engine *e : {&a, &b}) {
		e->set(TONE, 0.0f);
		e->set(ROUTING, 0.0f);
	}
	a.set(NBR_BAND, bands_norm(8));
	a.dsp->clear_buffers();
	b.dsp->clear_buffers();
	const Stereo in = make_noise(2048, 5);
	Stereo oa(in.size()), ob(in.size());
	render(*a.dsp, oa, in, 256);
	render(*b.dsp, ob, in, 256);
	EXPECT_TRUE(same_bits(oa.l, ob.l));
}

// Output minus the low-pass branch that "Pre" adds, for a given engine.
std::vector<float> bands_of_pre_output(float gain_norm)
{
	Engine e(false, false);
	e.set(ROUTING, 0.0f);
	e.set(NBR_BAND, bands_norm(5));
	e.set(DISTO_GAIN, gain_norm);
	e.dsp->clear_buffers();
	const Stereo in = make_noise(1024, 9);
	Stereo out(in.size());
	render(*e.dsp, out, in, 64);

	dsp::Filter2p lpf;
	lpf.type = 0;
	lpf.freq = 1000.0f;
	lpf.update_eq();
	const float g = (float)e.dsp->use_disto_gain_inertia().val_cur;
	std::vector<float> bands(in.size());
	for (long pos = 0; pos < in.size(); pos += 64) {
		float lp[64];
		lpf.process_block_nd(lp, in.l.data() + pos, 64);
		for (int i = 0; i < 64; ++i)
			bands[pos + i] = out.l[pos + i] - (float)(0.5 * VorluneDsp::DistoTable::eval(g * lp[i]));
	}
	return bands;
}

TEST(VorluneDsp, PreDistortionLeavesTheBandsUnchanged)
{
	const std::vector<float> clean = bands_of_pre_output(0.0f);
	const std::vector<float> hot = bands_of_pre_output(1.0f);
	double energy = 0.0;
	for (size_t i = 0; i < clean.size(); ++i) {
		ASSERT_NEAR(clean[i], hot[i], 1e-6f) << i;
		energy += (double)clean[i] * clean[i];
	}
	EXPECT_GT(energy, 1e-3); // the bands are there
}

TEST(VorluneDsp, MonoInputStereoOutputGivesTwoEqualChannels)
{
	for (float routing : {0.0f, 1.0f}) {
		Engine e(false, true);
		e.set(ROUTING, routing);
		e.set(NBR_BAND, bands_norm(4));
		const Stereo in = make_noise(700, 2);
		Stereo out(in.size());
		render(*e.dsp, out, in, 100);
		EXPECT_TRUE(same_bits(out.l, out.r)) << routing;

		Stereo acc(in.size(), 0.25f);
		render(*e.dsp, acc, in, 100, true);
		EXPECT_TRUE(same_bits(acc.l, acc.r)) << routing;
	}
}

TEST(VorluneDsp, MonoOutputLeavesTheSecondChannelAlone)
{
	for (bool in_stereo : {false, true}) {
		for (bool mix : {false, true}) {
			Engine e(in_stereo, false);
			e.set(NBR_BAND, bands_norm(4));
			const Stereo in = make_noise(300, 4);
			Stereo out(in.size(), 0.125f);
			render(*e.dsp, out, in, 77, mix);
			for (float s : out.r)
				ASSERT_EQ(s, 0.125f);
		}
	}
}

TEST(VorluneDsp, AccumulatingIntoSilenceEqualsReplacingExceptTheTabledCurve)
{
	struct Case
	{
		bool in_stereo, out_stereo;
		float routing;
		bool exact;
	};
	const Case cases[] = {{true, true, 0.0f, true},  {false, false, 0.0f, true}, {true, false, 0.0f, true},
	                      {true, true, 1.0f, true},  {false, false, 1.0f, false}, {true, false, 1.0f, false}};
	for (const Case &c : cases) {
		Engine a(c.in_stereo, c.out_stereo), b(c.in_stereo, c.out_stereo);
		for (Engine *e : {&a, &b}) {
			e->set(ROUTING, c.routing);
			e->set(NBR_BAND, bands_norm(7));
			e->set(DISTO_GAIN, 0.6f);
		}
		const Stereo in = make_noise(1500, 8);
		Stereo r(in.size()), m(in.size());
		render(*a.dsp, r, in, 300);
		render(*b.dsp, m, in, 300, true);
		if (c.exact) {
			EXPECT_TRUE(same_bits(r.l, m.l));
			EXPECT_TRUE(same_bits(r.r, m.r));
		} else {
			for (long i = 0; i < in.size(); ++i)
				ASSERT_NEAR(r.l[i], m.l[i], 0.02f); // table against atan
		}
	}
}

TEST(VorluneDsp, InPlaceBuffersEqualSeparateOnes)
{
	for (float routing : {0.0f, 1.0f}) {
		for (bool mono_in : {false, true}) {
			Engine a(!mono_in, true), b(!mono_in, true);
			for (Engine *e : {&a, &b}) {
				e->set(ROUTING, routing);
				e->set(NBR_BAND, bands_norm(12));
				e->set(EVOLUTION, 0.2f);
			}
			const Stereo in = make_noise(1000, 6);
			Stereo sep(in.size());
			render(*a.dsp, sep, in, 250);
			Stereo inplace = in;
			for (long pos = 0; pos < in.size(); pos += 250) {
				float *p[2] = {inplace.l.data() + pos, inplace.r.data() + pos};
				b.dsp->do_process_replacing(p, const_cast<const float **>(p), 250, false);
			}
			EXPECT_TRUE(same_bits(sep.l, inplace.l));
			EXPECT_TRUE(same_bits(sep.r, inplace.r));
		}
	}
}

TEST(VorluneDsp, SetProgramWithEqualValuesTouchesNothing)
{
	Engine e;
	e.set(CUTOFF, 0.3f);
	e.set(TONE, 0.9f);
	plegg::ProgramSlot slot;
	e.dsp->do_get_program(slot);
	ASSERT_EQ(slot.get_nbr_param(), 8);
	EXPECT_EQ(slot.get_parameter(CUTOFF), 0.3f);
	EXPECT_EQ(slot.get_parameter(TONE), 0.9f);

	CountingNotified counter;
	for (int i = 0; i < 8; ++i)
		e.dsp->get_param_ref(i).notified = &counter;
	e.dsp->do_set_program(slot);
	EXPECT_EQ(counter.count, 0);

	slot.set_parameter(RESO, 0.5f);
	slot.set_parameter(NBR_BAND, NAN);  // ignored
	slot.set_parameter(SPACING, 7.0f);  // clamped
	e.dsp->do_set_program(slot);
	EXPECT_EQ(counter.count, 2);
	EXPECT_NEAR(e.dsp->get_param_ref(RESO).get_val(), 10.0, 1e-5);
	EXPECT_EQ(e.dsp->get_param_ref(NBR_BAND).get_norm(), 0.0f);
	EXPECT_EQ(e.dsp->get_param_ref(SPACING).get_val(), 5.0);
}

TEST(VorluneDsp, BandsFadeInAndOutAcrossBlocks)
{
	Engine e(false, false);
	e.set(NBR_BAND, bands_norm(2));
	e.dsp->clear_buffers();
	const FilterTapStage &st = e.dsp->use_filter_stage();
	ASSERT_EQ(st.get_nbr_active_band(), 1);

	// The tick at the start of the first chunk takes the new count.
	e.set(NBR_BAND, bands_norm(4));
	Stereo out(64 * 12);
	render(*e.dsp, out, Stereo(64), 64);
	EXPECT_EQ(st.get_nbr_active_band(), 3);
	EXPECT_EQ(st.get_first_rband(), 1);
	EXPECT_EQ(st.get_first_rband_decreasing(), 3);
	EXPECT_NEAR(st.get_band_level(1), 64 * 0.0015625f, 1e-6f);
	// 640 samples later the tick ends the fade.
	render(*e.dsp, out, Stereo(64 * 9), 64);
	EXPECT_EQ(st.get_first_rband(), 1);
	render(*e.dsp, out, Stereo(64), 64);
	EXPECT_EQ(st.get_first_rband(), 3);
	EXPECT_EQ(st.get_band_level(1), 1.0f);
	EXPECT_EQ(st.get_band_level(2), 1.0f);

	e.set(NBR_BAND, bands_norm(2));
	render(*e.dsp, out, Stereo(64 * 5), 64);
	EXPECT_EQ(st.get_nbr_active_band(), 3); // still fading out
	EXPECT_EQ(st.get_first_rband_decreasing(), 1);
	render(*e.dsp, out, Stereo(64 * 7), 64);
	EXPECT_EQ(st.get_nbr_active_band(), 1);
	EXPECT_EQ(st.get_band_level(1), 0.0f);
}

TEST(VorluneDsp, SilenceAfterNoiseDecaysWithoutSubnormals)
{
	Engine e;
	e.set(NBR_BAND, 1.0f);
	e.set(CUTOFF, 0.1f);
	e.set(RESO, 0.5f);
	e.set(EVOLUTION, 1.0f);
	const Stereo noise = make_noise(44100, 12);
	Stereo out(noise.size());
	render(*e.dsp, out, noise, 512);
	const Stereo silence(44100 * 3);
	Stereo tail(silence.size());
	render(*e.dsp, tail, silence, 512);
	EXPECT_TRUE(is_clean(tail.l));
	EXPECT_TRUE(is_clean(tail.r));
	for (long i = tail.size() - 4410; i < tail.size(); ++i)
		ASSERT_LT(std::fabs(tail.l[i]), 1e-6f);
}

TEST(VorluneDsp, CallersFloatingPointModeIsRestored)
{
	Engine e;
	const Stereo in = make_noise(300, 1);
	Stereo out(in.size());
	const unsigned int saved = _mm_getcsr();
	for (unsigned int mode : {saved & ~0x8040u, saved | 0x8040u, (saved & ~0x6000u) | 0x2000u}) {
		_mm_setcsr(mode);
		render(*e.dsp, out, in, 128);
		render(*e.dsp, out, in, 128, true);
		const unsigned int after = _mm_getcsr();
		_mm_setcsr(saved);
		EXPECT_EQ(after & ~0x3Fu, mode & ~0x3Fu); // exception flags aside
	}
}

TEST(VorluneDsp, ExtremesStayFiniteAtEveryRateAndBlockSize)
{
	const float rates[] = {4000.0f, 44100.0f, 96000.0f};
	const long blocks[] = {1, 63, 4096};
	int combo = 0;
	for (float rate : rates) {
		Engine e(true, true, rate);
		for (int bits = 0; bits < 256; bits += 7) {
			for (int i = 0; i < 8; ++i)
				e.set(i, ((bits >> i) & 1) ? 1.0f : 0.0f);
			const Stereo in = make_noise(4096, bits, 1.0f);
			Stereo out(in.size());
			render(*e.dsp, out, in, blocks[combo++ % 3], (bits & 2) != 0);
			ASSERT_TRUE(is_clean(out.l)) << rate << " " << bits;
			ASSERT_TRUE(is_clean(out.r)) << rate << " " << bits;
		}
	}
}

TEST(VorluneDsp, ProcessingBeforeInitIsSilent)
{
	VorluneDsp dsp;
	const Stereo in = make_noise(10, 1);
	Stereo out(10, 1.0f);
	render(dsp, out, in, 10);
	for (float s : out.l)
		EXPECT_EQ(s, 0.0f);
}

} // namespace
