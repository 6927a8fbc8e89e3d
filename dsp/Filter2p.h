// Second-order filter from one of four analog prototypes, tuned to `freq`:
//   0 "Low-pass"   1 / (1 + s/R + s^2)            gain R at freq
//   1 "High-pass"  s^2 / (1 + s/R + s^2)          gain R at freq
//   2 "Resonator"  (1 + (R/Q) s + s^2) / (1 + s/Q + s^2)  peak R, unity far off
//   3 "Band-pass"  ((R/Q) s) / (1 + s/Q + s^2)    peak R, zero at DC and Nyquist
// Users set type, reso, q, freq and sample_freq, then call update_eq().
#pragma once

#include <cstdint>

#include "dsp/BiquadS.h"

namespace dsp
{

class Filter2p : public BiquadS
{
public:
	enum Type : int32_t
	{
		TYPE_LOW_PASS = 0,
		TYPE_HIGH_PASS,
		TYPE_RESONATOR,
		TYPE_BAND_PASS,

		NBR_TYPES
	};

	static const char *const TYPE_NAME[NBR_TYPES];

	Filter2p();

	// Sets the prototype by type (an unknown type keeps the previous
	// numerator and a_s1), then transforms it to z.
	void update_eq();

	// Copy everything that defines the response of another filter: z and s
	// coefficients, rate, frequency, type, reso and q (memory untouched).
	void copy_settings(const Filter2p &other);

	int32_t type;
	float reso;
	float q;
};

} // namespace dsp
