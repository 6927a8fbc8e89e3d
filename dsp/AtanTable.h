// Arctangents of the points c = (1 + m/32) 2^e, e = -27 ... 16, m = 0 ... 31
// (the doubles whose mantissa ends after 5 bits), as unevaluated sums hi + lo
// of two doubles accurate to about 2^-106; entry 0 is atan(0). Entry
// 1 + 32 (e + 27) + m belongs to (e, m), which is the double's bits shifted
// right by 47 less a constant. Computed offline with 90-digit decimal
// arithmetic.
#pragma once

namespace dsp
{

constexpr int ATAN_TABLE_EXP_MIN = -27;
constexpr int ATAN_TABLE_EXP_MAX = 16;
constexpr int ATAN_TABLE_MANT_BITS = 5;
constexpr int ATAN_TABLE_LEN = 1 + (ATAN_TABLE_EXP_MAX - ATAN_TABLE_EXP_MIN + 1) * (1 << ATAN_TABLE_MANT_BITS);

// {hi, lo} side by side: one 16-byte load per lane.
extern const double ATAN_TABLE[ATAN_TABLE_LEN][2];

} // namespace dsp
