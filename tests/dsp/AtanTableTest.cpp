// The arctangent table was computed offline; check every entry against the
// C library's long double arctangent so a damaged entry cannot slip in.
#include <gtest/gtest.h>

#include <cmath>

#include "dsp/AtanTable.h"

TEST(AtanTable, EveryEntryIsTheArctangentOfItsPoint)
{
	EXPECT_EQ(dsp::ATAN_TABLE[0][0], 0.0);
	EXPECT_EQ(dsp::ATAN_TABLE[0][1], 0.0);
	int idx = 1;
	for (int e = dsp::ATAN_TABLE_EXP_MIN; e <= dsp::ATAN_TABLE_EXP_MAX; ++e)
	{
		for (int m = 0; m < (1 << dsp::ATAN_TABLE_MANT_BITS); ++m, ++idx)
		{
			const double c = std::ldexp(1.0 + m / 32.0, e);
			const double hi = dsp::ATAN_TABLE[idx][0];
			const double lo = dsp::ATAN_TABLE[idx][1];
			// hi is atan(c) rounded to double, lo the rest (at most half an ulp).
			EXPECT_EQ(hi, std::atan(c)) << "e " << e << " m " << m;
			EXPECT_LE(std::fabs(lo), std::ldexp(std::fabs(hi), -52)) << "e " << e << " m " << m;
			// With the 64-bit mantissa of long double, hi + lo agrees far
			// beyond what a single double could hold.
			const long double sum = static_cast<long double>(hi) + static_cast<long double>(lo);
			const long double ref = std::atan(static_cast<long double>(c));
			EXPECT_LE(std::fabs(sum - ref), std::ldexp(static_cast<long double>(std::fabs(hi)), -62)) << "e " << e << " m " << m;
		}
	}
	EXPECT_EQ(idx, dsp::ATAN_TABLE_LEN);
}
