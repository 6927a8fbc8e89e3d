#include "dsp/BiquadS.h"

#include <cmath>

namespace dsp
{

namespace
{

// tan(x) ~ x (1 + x^2 (1/3 + 2/15 x^2)), good below about pi/4.
inline float tan_fast(float x)
{
	const float x2 = x * x;
	return x * (1.0f + x2 * (0.33333334f + 0.13333334f * x2));
}

} // namespace

BiquadS::BiquadS() : eq_s_b{1.0f, 2.0f, 1.0f}, eq_s_a{1.0f, 2.0f, 1.0f}, sample_freq(44100.0f), freq(1000.0f)
{
}

void BiquadS::set_s_eq(const float *b, const float *a)
{
	for (int i = 0; i < 3; ++i) {
		eq_s_b[i] = b[i];
		eq_s_a[i] = a[i];
	}
}

void BiquadS::transform_s_to_z()
{
	const double t = std::tan(M_PI * (double)freq / (double)sample_freq);
	const long double k = 1.0L / (long double)t;
	const long double k2 = k * k;
	const long double bs0 = eq_s_b[0], bs1 = eq_s_b[1], bs2 = eq_s_b[2];
	const long double as0 = eq_s_a[0], as1 = eq_s_a[1], as2 = eq_s_a[2];
	const long double d = (as0 + k * as1) + k2 * as2;

	b0 = (float)(((bs0 + k * bs1) + k2 * bs2) / d);
	b1 = (float)((2.0L * (bs0 - k2 * bs2)) / d);
	b2 = (float)(((bs0 - k * bs1) + k2 * bs2) / d);
	a0 = 1.0f;
	a1 = (float)((2.0L * (as0 - k2 * as2)) / d);
	a2 = (float)(((as0 - k * as1) + k2 * as2) / d);
}

void BiquadS::transform_s_to_z_fast()
{
	a0 = 1.0f;
	const float x = 3.1415927f * freq / sample_freq;
	const float k = a0 / tan_fast(x);
	const float k2 = k * k;
	const float d = (eq_s_a[0] + k * eq_s_a[1]) + k2 * eq_s_a[2];
	const float inv_d = a0 / d;

	b0 = ((eq_s_b[0] + k * eq_s_b[1]) + k2 * eq_s_b[2]) * inv_d;
	b1 = (2.0f * (eq_s_b[0] - k2 * eq_s_b[2])) * inv_d;
	b2 = ((eq_s_b[0] - k * eq_s_b[1]) + k2 * eq_s_b[2]) * inv_d;
	a1 = (2.0f * (eq_s_a[0] - k2 * eq_s_a[2])) * inv_d;
	a2 = ((eq_s_a[0] - k * eq_s_a[1]) + k2 * eq_s_a[2]) * inv_d;
}

float BiquadS::wrap_freq_blt(float f) const
{
	const double num = std::tan(M_PI * (double)f / (double)sample_freq);
	const double den = std::tan(M_PI * (double)freq / (double)sample_freq);
	return (float)(num / den);
}

float BiquadS::wrap_freq_blt_fast(float f) const
{
	const float num = tan_fast(3.1415927f * f / sample_freq);
	const float den = tan_fast(3.1415927f * freq / sample_freq);
	return num / den;
}

void BiquadS::copy_design(const BiquadS &other)
{
	copy_z_eq(other);
	sample_freq = other.sample_freq;
	freq = other.freq;
	set_s_eq(other.eq_s_b, other.eq_s_a);
}

} // namespace dsp
