// Arctangents of the multiples i / 64 (i = 0 ... 64) as unevaluated sums
// hi + lo of two doubles, accurate to about 2^-106: entries 0 ... 64 hold
// atan(i / 64), entries 65 ... 129 hold pi / 2 - atan(i / 64). Computed
// offline with 80-digit decimal arithmetic.
#pragma once

namespace dsp
{

constexpr int ATAN_TABLE_STEPS = 64;
constexpr int ATAN_TABLE_LEN = 2 * (ATAN_TABLE_STEPS + 1);

extern const double ATAN_TABLE_HI[ATAN_TABLE_LEN];
extern const double ATAN_TABLE_LO[ATAN_TABLE_LEN];

} // namespace dsp
