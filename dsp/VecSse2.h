// Four float or two double lanes in SSE2, the x86_64 baseline: the small set
// of operations the engine's lane-parallel kernels use. VecAvx2 has the same
// members with twice the lanes. Every operation rounds as its scalar
// counterpart does; nothing here fuses a multiply and an add.
#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace dsp
{

struct VecSse2
{
	using F = __m128;
	using D = __m128d;
	static constexpr int WF = 4; // float lanes
	static constexpr int WD = 2; // double lanes

	// Two floats at any float alignment.
	static __m128i load64(const float *p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i_u *>(p)); }
	static void store64(float *p, __m128 v) { _mm_storel_epi64(reinterpret_cast<__m128i_u *>(p), _mm_castps_si128(v)); }

	static F fload(const float *p) { return _mm_loadu_ps(p); }
	static void fstore(float *p, F v) { _mm_storeu_ps(p, v); }
	static F fset1(float v) { return _mm_set1_ps(v); }
	static F fadd(F a, F b) { return _mm_add_ps(a, b); }
	static F fsub(F a, F b) { return _mm_sub_ps(a, b); }
	static F fmul(F a, F b) { return _mm_mul_ps(a, b); }
	// Bit mask of the lanes whose magnitude, as bits, lies outside [lo, hi]
	// (NaN lies above every finite hi).
	static int fabs_bits_outside(F v, int32_t lo, int32_t hi)
	{
		const __m128i a = _mm_and_si128(_mm_castps_si128(v), _mm_set1_epi32(0x7FFFFFFF));
		const __m128i out = _mm_or_si128(_mm_cmpgt_epi32(_mm_set1_epi32(lo), a), _mm_cmpgt_epi32(a, _mm_set1_epi32(hi)));
		return _mm_movemask_ps(_mm_castsi128_ps(out));
	}
	// b where m has all bits set, else a.
	static F fsel(F a, F b, F m) { return _mm_or_ps(_mm_and_ps(m, b), _mm_andnot_ps(m, a)); }
	// (p[0], p[1]) in every pair of lanes.
	static F fbroadcast_pair(const float *p)
	{
		const __m128i v = load64(p);
		return _mm_castsi128_ps(_mm_unpacklo_epi64(v, v));
	}
	// a and b hold WF/2 frames each as (left, right) pairs; out: the lefts
	// and the rights of the WF frames in order.
	static void deinterleave(F a, F b, F &l, F &r)
	{
		l = _mm_shuffle_ps(a, b, 0x88);
		r = _mm_shuffle_ps(a, b, 0xDD);
	}
	// yt and yt1 hold the pairs of bands k0, k0 + 1 ... at two frames; each
	// band's two frames go to its row: row k at base + k * stride.
	static void store_pair_rows(float *base, long stride, F yt, F yt1)
	{
		_mm_storeu_ps(base, _mm_castpd_ps(_mm_unpacklo_pd(_mm_castps_pd(yt), _mm_castps_pd(yt1))));
		_mm_storeu_ps(base + stride, _mm_castpd_ps(_mm_unpackhi_pd(_mm_castps_pd(yt), _mm_castps_pd(yt1))));
	}
	// One frame: each band's pair to its row.
	static void store_pair_rows1(float *base, long stride, F y)
	{
		store64(base, y);
		store64(base + stride, _mm_movehl_ps(y, y));
	}

	static D dload(const double *p) { return _mm_loadu_pd(p); }
	static void dstore(double *p, D v) { _mm_storeu_pd(p, v); }
	static D dset1(double v) { return _mm_set1_pd(v); }
	static D dbits_mask(unsigned long long m) { return _mm_castsi128_pd(_mm_set1_epi64x((long long)m)); }
	static D dadd(D a, D b) { return _mm_add_pd(a, b); }
	static D dsub(D a, D b) { return _mm_sub_pd(a, b); }
	static D dmul(D a, D b) { return _mm_mul_pd(a, b); }
	static D ddiv(D a, D b) { return _mm_div_pd(a, b); }
	static D dand(D a, D b) { return _mm_and_pd(a, b); }
	static D dor(D a, D b) { return _mm_or_pd(a, b); }
	static D dandnot(D a, D b) { return _mm_andnot_pd(a, b); } // ~a & b
	static D dcmplt(D a, D b) { return _mm_cmplt_pd(a, b); }
	static D dcmple(D a, D b) { return _mm_cmple_pd(a, b); }
	static int dmovemask(D m) { return _mm_movemask_pd(m); }
	// The lower and the upper half of a float vector as doubles, and two
	// double vectors rounded once to floats.
	static D dcvt_lo(F v) { return _mm_cvtps_pd(v); }
	static D dcvt_hi(F v) { return _mm_cvtps_pd(_mm_movehl_ps(v, v)); }
	static F fpack(D lo, D hi) { return _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi)); }
	// WD floats to doubles, and back (rounded once).
	static D dload_f(const float *p)
	{
		return _mm_cvtps_pd(_mm_castsi128_ps(load64(p)));
	}
	static void dstore_f(float *p, D v) { store64(p, _mm_cvtpd_ps(v)); }
	// Bit mask of the lanes where a and b round to the same float, bit for
	// bit (+0 and -0 differ).
	static int same_float_mask(D a, D b)
	{
		const __m128i fa = _mm_castps_si128(_mm_cvtpd_ps(a));
		const __m128i fb = _mm_castps_si128(_mm_cvtpd_ps(b));
		return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(fa, fb))) & 3;
	}
	// Bit mask of the lanes whose value lies within t double ulps of a
	// midpoint between two floats of its binade (its 29 bits below the
	// float mantissa within t of 2^28): the lanes whose rounding to float an
	// error of t ulps could change. For values in the normal float range.
	static int dnear_float_midpoint(D z, int32_t t)
	{
		const __m128i w = _mm_and_si128(_mm_add_epi64(_mm_castpd_si128(z), _mm_set1_epi64x(0x10000000 + t)),
		                                _mm_set1_epi64x(0x1FFFFFFF));
		// w fits in the low half of each lane; the high halves are 0.
		const int m = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(_mm_set1_epi32(2 * t + 1), w)));
		return (m & 1) | ((m >> 1) & 2);
	}
	// hi, lo = table[((bits of v) >> SHIFT) - base] on the lanes of mask
	// (entry 0 elsewhere); table holds {hi, lo} pairs.
	template <int SHIFT>
	static void dlookup_pair_bits(const double (*table)[2], D v, long long base, D mask, D &hi, D &lo)
	{
		const __m128i i = _mm_and_si128(_mm_sub_epi64(_mm_srli_epi64(_mm_castpd_si128(v), SHIFT), _mm_set1_epi64x(base)),
		                                _mm_castpd_si128(mask));
		const __m128d e0 = _mm_loadu_pd(table[_mm_cvtsi128_si64(i)]);
		const __m128d e1 = _mm_loadu_pd(table[_mm_cvtsi128_si64(_mm_unpackhi_epi64(i, i))]);
		hi = _mm_unpacklo_pd(e0, e1);
		lo = _mm_unpackhi_pd(e0, e1);
	}
};

} // namespace dsp
