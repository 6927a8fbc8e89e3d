// A biquad designed from an analog prototype
//   H(s) = (b_s0 + b_s1 s + b_s2 s^2) / (a_s0 + a_s1 s + a_s2 s^2),
// s normalised so that s = j at `freq`, by the bilinear transform with the
// frequency prewarped to `freq`.
#pragma once

#include "dsp/Biquad.h"

namespace dsp
{

class BiquadS : public Biquad
{
public:
	BiquadS();

	void set_s_eq(const float *b, const float *a);
	// Tangent in double, the rest in long double, coefficients rounded once.
	void transform_s_to_z();
	// Single precision with a polynomial tangent; cheaper, less exact.
	void transform_s_to_z_fast();
	// tan(pi f / fs) / tan(pi freq / fs): the prewarped frequency ratio.
	float wrap_freq_blt(float f) const;
	float wrap_freq_blt_fast(float f) const;

	// Copy the z coefficients, rate, frequency and prototype of another
	// section (memory untouched).
	void copy_design(const BiquadS &other);

	float eq_s_b[3];
	float eq_s_a[3];
	float sample_freq;
	float freq;
};

} // namespace dsp
