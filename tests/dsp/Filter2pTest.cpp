#include "dsp/Filter2p.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace
{

// |H(e^jw)| of the z coefficients at frequency f.
double z_gain(const dsp::Biquad &bq, double f, double fs)
{
	const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * f / fs);
	const std::complex<double> z2 = z1 * z1;
	const std::complex<double> num = (double)bq.b0 + (double)bq.b1 * z1 + (double)bq.b2 * z2;
	const std::complex<double> den = 1.0 + (double)bq.a1 * z1 + (double)bq.a2 * z2;
	return std::abs(num / den);
}

// Peak amplitude of a sine at f through the filter, after it settled.
double measured_gain(dsp::Filter2p &flt, double f)
{
	const long n = 20000;
	std::vector<float> buf(n);
	for (long i = 0; i < n; ++i)
		buf[i] = (float)std::sin(2.0 * M_PI * f * i / flt.sample_freq);
	flt.process_block(buf.data(), n);
	double peak = 0.0;
	for (long i = n / 2; i < n; ++i)
		peak = std::max(peak, (double)std::fabs(buf[i]));
	return peak;
}

TEST(Filter2p, DefaultsAndTypeNames)
{
	dsp::Filter2p f;
	EXPECT_EQ(f.type, 2);
	EXPECT_EQ(f.reso, 1.0f);
	EXPECT_EQ(f.q, 1.0f);
	EXPECT_EQ(f.sample_freq, 44100.0f);
	EXPECT_EQ(f.freq, 1000.0f);
	// A resonator with R = 1 is flat: unity everywhere.
	EXPECT_NEAR(z_gain(f, 100.0, 44100.0), 1.0, 1e-5);
	EXPECT_NEAR(z_gain(f, 1000.0, 44100.0), 1.0, 1e-5);
	EXPECT_STREQ(dsp::Filter2p::TYPE_NAME[0], "Low-pass");
	EXPECT_STREQ(dsp::Filter2p::TYPE_NAME[1], "High-pass");
	EXPECT_STREQ(dsp::Filter2p::TYPE_NAME[2], "Resonator");
	EXPECT_STREQ(dsp::Filter2p::TYPE_NAME[3], "Band-pass");
}

TEST(Filter2p, ButterworthLowPassAtAQuarterOfTheRateHasTheTextbookCoefficients)
{
	// tan(pi/4) = 1, a_s1 = sqrt 2: b = [1, 2, 1] / (2 + sqrt 2),
	// a1 = 0, a2 = (2 - sqrt 2) / (2 + sqrt 2).
	dsp::Filter2p f;
	f.type = 0;
	f.reso = (float)M_SQRT1_2;
	f.sample_freq = 48000.0f;
	f.freq = 12000.0f;
	f.update_eq();
	const double d = 2.0 + std::sqrt(2.0);
	EXPECT_NEAR(f.b0, 1.0 / d, 1e-7);
	EXPECT_NEAR(f.b1, 2.0 / d, 1e-7);
	EXPECT_NEAR(f.b2, 1.0 / d, 1e-7);
	EXPECT_NEAR(f.a1, 0.0, 1e-7);
	EXPECT_NEAR(f.a2, (2.0 - std::sqrt(2.0)) / d, 1e-7);
	EXPECT_EQ(f.a0, 1.0f);
}

TEST(Filter2p, ResponsesMatchThePrototypeAtThePrewarpedFrequency)
{
	const double fs = 44100.0;
	const double f0 = 3000.0;
	const float reso = 4.0f;
	const float q = 2.5f;
	const double w0 = std::tan(M_PI * f0 / fs);
	for (int type = 0; type < 4; ++type) {
		dsp::Filter2p f;
		f.type = type;
		f.reso = reso;
		f.q = q;
		f.freq = (float)f0;
		f.update_eq();
		for (double freq : {50.0, 1000.0, 3000.0, 7000.0, 15000.0}) {
			const std::complex<double> s(0.0, std::tan(M_PI * freq / fs) / w0);
			std::complex<double> h;
			switch (type) {
			case 0: h = 1.0 / (1.0 + s / (double)reso + s * s); break;
			case 1: h = s * s / (1.0 + s / (double)reso + s * s); break;
			case 2: h = (1.0 + s * (double)(reso / q) + s * s) / (1.0 + s / (double)q + s * s); break;
			default: h = s * (double)(reso / q) / (1.0 + s / (double)q + s * s); break;
			}
			EXPECT_NEAR(z_gain(f, freq, fs), std::abs(h), 2e-4 * std::max(1.0, std::abs(h)))
				<< "type " << type << " at " << freq;
		}
	}
}

TEST(Filter2p, BandPassPassesItsFrequencyAtUnityAndBlocksDc)
{
	dsp::Filter2p f;
	f.type = 3;
	f.reso = 1.0f;
	f.q = 3.0f;
	f.freq = 2000.0f;
	f.update_eq();
	EXPECT_NEAR(measured_gain(f, 2000.0), 1.0, 2e-3);
	f.clear_buffers();
	std::vector<float> dc(20000, 1.0f);
	f.process_block(dc.data(), 20000);
	EXPECT_NEAR(dc.back(), 0.0f, 1e-5f);
	EXPECT_NEAR(z_gain(f, 22050.0, 44100.0), 0.0, 1e-6);
}

TEST(Filter2p, LowPassGainAtCutoffIsTheResonance)
{
	dsp::Filter2p f;
	f.type = 0;
	f.reso = 10.0f;
	f.freq = 500.0f;
	f.update_eq();
	EXPECT_NEAR(z_gain(f, 500.0, 44100.0), 10.0, 1e-3);
	EXPECT_NEAR(z_gain(f, 0.0, 44100.0), 1.0, 1e-4); // float coefficients
	EXPECT_NEAR(measured_gain(f, 500.0), 10.0, 0.05);
}

TEST(Filter2p, UnknownTypeKeepsThePreviousPrototype)
{
	dsp::Filter2p f;
	f.type = 3;
	f.q = 2.0f;
	f.update_eq();
	const float b1 = f.b1;
	f.type = 17;
	f.update_eq();
	EXPECT_EQ(f.eq_s_b[1], 0.5f);
	EXPECT_EQ(f.b1, b1);
}

TEST(Filter2p, CopySettingsReproducesTheResponseNotTheMemory)
{
	dsp::Filter2p a;
	a.type = 0;
	a.reso = 3.0f;
	a.freq = 800.0f;
	a.sample_freq = 32000.0f;
	a.update_eq();
	dsp::Filter2p b;
	b.mem_y[0] = 0.25f;
	b.copy_settings(a);
	EXPECT_EQ(b.type, 0);
	EXPECT_EQ(b.reso, 3.0f);
	EXPECT_EQ(b.sample_freq, 32000.0f);
	EXPECT_EQ(b.b0, a.b0);
	EXPECT_EQ(b.a2, a.a2);
	EXPECT_EQ(b.eq_s_a[1], a.eq_s_a[1]);
	EXPECT_EQ(b.mem_y[0], 0.25f);
}

TEST(Filter2p, FastTransformIsCloseToTheExactOne)
{
	dsp::Filter2p f;
	f.type = 3;
	f.q = 4.0f;
	f.freq = 1500.0f;
	f.update_eq();
	dsp::Filter2p g = f;
	g.transform_s_to_z_fast();
	EXPECT_NEAR(g.b1, f.b1, 1e-5);
	EXPECT_NEAR(g.a1, f.a1, 1e-4);
	EXPECT_NEAR(g.a2, f.a2, 1e-4);
	EXPECT_NEAR(f.wrap_freq_blt(3000.0f), std::tan(M_PI * 3000 / 44100) / std::tan(M_PI * 1500 / 44100), 1e-6);
	EXPECT_NEAR(f.wrap_freq_blt_fast(3000.0f), f.wrap_freq_blt(3000.0f), 1e-3);
}

} // namespace
