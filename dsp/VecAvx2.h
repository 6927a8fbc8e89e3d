// Eight float or four double lanes in AVX2, the same members as VecSse2.
// Compiled for AVX2 only through the target attribute (never FMA), and used
// only after the run-time check of SimdPath.
#pragma once

#include <immintrin.h>

#include <cstdint>

#define BRASTOKE_AVX2 __attribute__((target("avx2"), always_inline)) static inline

namespace dsp
{

struct VecAvx2
{
	using F = __m256;
	using D = __m256d;
	static constexpr int WF = 8;
	static constexpr int WD = 4;

	BRASTOKE_AVX2 F fload(const float *p) { return _mm256_loadu_ps(p); }
	BRASTOKE_AVX2 void fstore(float *p, F v) { _mm256_storeu_ps(p, v); }
	BRASTOKE_AVX2 F fset1(float v) { return _mm256_set1_ps(v); }
	BRASTOKE_AVX2 F fadd(F a, F b) { return _mm256_add_ps(a, b); }
	BRASTOKE_AVX2 F fsub(F a, F b) { return _mm256_sub_ps(a, b); }
	BRASTOKE_AVX2 F fmul(F a, F b) { return _mm256_mul_ps(a, b); }
	BRASTOKE_AVX2 int fabs_bits_outside(F v, int32_t lo, int32_t hi)
	{
		const __m256i a = _mm256_and_si256(_mm256_castps_si256(v), _mm256_set1_epi32(0x7FFFFFFF));
		const __m256i out = _mm256_or_si256(_mm256_cmpgt_epi32(_mm256_set1_epi32(lo), a),
		                                    _mm256_cmpgt_epi32(a, _mm256_set1_epi32(hi)));
		return _mm256_movemask_ps(_mm256_castsi256_ps(out));
	}
	BRASTOKE_AVX2 F fsel(F a, F b, F m) { return _mm256_blendv_ps(a, b, m); }
	BRASTOKE_AVX2 F fbroadcast_pair(const float *p)
	{
		long long v;
		__builtin_memcpy(&v, p, sizeof(v));
		return _mm256_castsi256_ps(_mm256_set1_epi64x(v));
	}
	BRASTOKE_AVX2 void deinterleave(F a, F b, F &l, F &r)
	{
		// [L0 L1 L4 L5 | L2 L3 L6 L7] and the same for R, then the middle
		// quarters swapped.
		const F sl = _mm256_shuffle_ps(a, b, 0x88);
		const F sr = _mm256_shuffle_ps(a, b, 0xDD);
		l = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(sl), 0xD8));
		r = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(sr), 0xD8));
	}
	BRASTOKE_AVX2 void store_pair_rows(float *base, long stride, F yt, F yt1)
	{
		const F lo = _mm256_castpd_ps(_mm256_unpacklo_pd(_mm256_castps_pd(yt), _mm256_castps_pd(yt1)));
		const F hi = _mm256_castpd_ps(_mm256_unpackhi_pd(_mm256_castps_pd(yt), _mm256_castps_pd(yt1)));
		_mm_storeu_ps(base, _mm256_castps256_ps128(lo));
		_mm_storeu_ps(base + stride, _mm256_castps256_ps128(hi));
		_mm_storeu_ps(base + 2 * stride, _mm256_extractf128_ps(lo, 1));
		_mm_storeu_ps(base + 3 * stride, _mm256_extractf128_ps(hi, 1));
	}
	BRASTOKE_AVX2 void store_pair_rows1(float *base, long stride, F y)
	{
		const __m128 lo = _mm256_castps256_ps128(y);
		const __m128 hi = _mm256_extractf128_ps(y, 1);
		auto store64 = [](float *p, __m128 v) {
			_mm_storel_epi64(reinterpret_cast<__m128i_u *>(p), _mm_castps_si128(v));
		};
		store64(base, lo);
		store64(base + stride, _mm_movehl_ps(lo, lo));
		store64(base + 2 * stride, hi);
		store64(base + 3 * stride, _mm_movehl_ps(hi, hi));
	}

	BRASTOKE_AVX2 D dload(const double *p) { return _mm256_loadu_pd(p); }
	BRASTOKE_AVX2 void dstore(double *p, D v) { _mm256_storeu_pd(p, v); }
	BRASTOKE_AVX2 D dset1(double v) { return _mm256_set1_pd(v); }
	BRASTOKE_AVX2 D dbits_mask(unsigned long long m) { return _mm256_castsi256_pd(_mm256_set1_epi64x((long long)m)); }
	BRASTOKE_AVX2 D dadd(D a, D b) { return _mm256_add_pd(a, b); }
	BRASTOKE_AVX2 D dsub(D a, D b) { return _mm256_sub_pd(a, b); }
	BRASTOKE_AVX2 D dmul(D a, D b) { return _mm256_mul_pd(a, b); }
	BRASTOKE_AVX2 D ddiv(D a, D b) { return _mm256_div_pd(a, b); }
	BRASTOKE_AVX2 D dand(D a, D b) { return _mm256_and_pd(a, b); }
	BRASTOKE_AVX2 D dor(D a, D b) { return _mm256_or_pd(a, b); }
	BRASTOKE_AVX2 D dandnot(D a, D b) { return _mm256_andnot_pd(a, b); }
	BRASTOKE_AVX2 D dcmplt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
	BRASTOKE_AVX2 D dcmple(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
	BRASTOKE_AVX2 int dmovemask(D m) { return _mm256_movemask_pd(m); }
	BRASTOKE_AVX2 D dcvt_lo(F v) { return _mm256_cvtps_pd(_mm256_castps256_ps128(v)); }
	BRASTOKE_AVX2 D dcvt_hi(F v) { return _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1)); }
	BRASTOKE_AVX2 F fpack(D lo, D hi)
	{
		return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(lo)), _mm256_cvtpd_ps(hi), 1);
	}
	BRASTOKE_AVX2 D dload_f(const float *p) { return _mm256_cvtps_pd(_mm_loadu_ps(p)); }
	BRASTOKE_AVX2 void dstore_f(float *p, D v) { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }
	BRASTOKE_AVX2 int same_float_mask(D a, D b)
	{
		const __m128i fa = _mm_castps_si128(_mm256_cvtpd_ps(a));
		const __m128i fb = _mm_castps_si128(_mm256_cvtpd_ps(b));
		return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(fa, fb)));
	}
	BRASTOKE_AVX2 int dnear_float_midpoint(D z, int32_t t)
	{
		const __m256i w = _mm256_and_si256(_mm256_add_epi64(_mm256_castpd_si256(z), _mm256_set1_epi64x(0x10000000 + t)),
		                                   _mm256_set1_epi64x(0x1FFFFFFF));
		return _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpgt_epi64(_mm256_set1_epi64x(2 * t + 1), w)));
	}
	// Loads per lane: gathers are slow on some processors.
	template <int SHIFT>
	BRASTOKE_AVX2 void dlookup_pair_bits(const double (*table)[2], D v, long long base, D mask, D &hi, D &lo)
	{
		const __m256i i = _mm256_and_si256(
			_mm256_sub_epi64(_mm256_srli_epi64(_mm256_castpd_si256(v), SHIFT), _mm256_set1_epi64x(base)),
			_mm256_castpd_si256(mask));
		const __m128i i01 = _mm256_castsi256_si128(i);
		const __m128i i23 = _mm256_extracti128_si256(i, 1);
		// [e0 | e2] and [e1 | e3], so that the unpacks give lanes in order.
		const D a = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(table[_mm_cvtsi128_si64(i01)])),
		                                 _mm_loadu_pd(table[_mm_cvtsi128_si64(i23)]), 1);
		const D b = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(table[_mm_extract_epi64(i01, 1)])),
		                                 _mm_loadu_pd(table[_mm_extract_epi64(i23, 1)]), 1);
		hi = _mm256_unpacklo_pd(a, b);
		lo = _mm256_unpackhi_pd(a, b);
	}
};

} // namespace dsp
