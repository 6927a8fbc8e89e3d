// The engine's lane-parallel inner loops, one table per instruction set
// (SSE2, AVX2). Each kernel keeps the exact arithmetic of the plain code it
// replaces, lane by lane: the same operations in the same order, rounded the
// same way, no fused multiply-add; so both give the same bits.
#pragma once

#include <cstdint>

#include "dsp/SimdPath.h"

// The band filters of the filter stage side by side: lane 2k + c holds band
// k of channel c (in mono both lanes of a pair run the left filter and the
// second is dropped). Up to 16 pairs: 15 bands and a spare.
struct BandBankJob
{
	static constexpr int LANES = 32;
	static constexpr int MAX_LEN = 64;
	static constexpr int ZSTRIDE = 2 * MAX_LEN; // floats per band row of zbuf

	int nbr_band = 0;      // bands run, 1 to 15
	bool stereo = false;   // write out[1] too
	bool shared_in = false; // every band reads the same samples (xin)
	bool fade = false;     // some band fades: levels apply
	bool gain_ramp = false; // gain_seq instead of gain
	// Band-pass coefficients (b1 = +0, b2 = -b0, bit for bit) make
	// ((b0 x + b1 x1) + b2 x2) exactly b0 x - b0 x2, unless an input is not
	// finite (0 times infinity) or some b0 x is zero (-0 + +0 is +0). When
	// every band lane has them, bp_floor is the bits of the smallest input
	// size that keeps b0 x a normal float in every band lane; chunks whose
	// shared inputs are all finite and that large take the short form.
	// 0: some lane has other coefficients.
	int32_t bp_floor = 0;
	long n = 0;            // 1 to 64 frames
	const float *xin = nullptr;   // [n][2] (left, right) when shared_in
	const float *xlane = nullptr; // [n][LANES] otherwise
	const float *coef = nullptr;  // [5][LANES]: b0 b1 b2 a1 a2
	float *state = nullptr;       // [4][LANES]: x1 x2 y1 y2, newest first
	float *level = nullptr;       // [LANES], advanced by level_step per frame
	const float *level_step = nullptr; // [LANES]
	float *ff = nullptr;          // scratch [MAX_LEN][LANES]
	float *zbuf = nullptr;        // scratch [16][ZSTRIDE]: band rows of (L, R) pairs
	float gain = 1.0f;
	const float *gain_seq = nullptr; // [n][2] per-frame gain, twice
	float *out[2] = {nullptr, nullptr};
	// The harmonic low-pass pair in the lanes after the bands (2 nbr_band
	// and 2 nbr_band + 1, in the last vector), so that its recursion runs
	// beside theirs. Its feed-forward adds the anti-denormal offset of
	// LowPassPairJob after b0 x; the band lanes add -0 there, which changes
	// nothing. Its lanes have level 1 and step 0.
	bool lp = false;
	const float *lp_in = nullptr;   // [n][2] (left, right) when shared_in
	const float *lp_sel = nullptr;  // [LANES]: all bits set in the pair's lanes, else 0
	const float *lp_off[2] = {nullptr, nullptr}; // [LANES]: offsets at even, odd samples
	float *lp_out[2] = {nullptr, nullptr};
};

// The harmonic low-pass pair (same coefficients, own memories) with the
// anti-denormal offset of the block form: lane c adds it at sample i when
// i + parity[c] is even and i < n - 1.
struct LowPassPairJob
{
	const float *coef = nullptr; // b0 b1 b2 a1 a2
	float *state = nullptr;      // [4][2]: x1 x2 y1 y2 of lanes 0 and 1
	int parity[2] = {0, 0};      // mem_pos of each filter at the start
	const float *in[2] = {nullptr, nullptr};
	float *out[2] = {nullptr, nullptr};
	long n = 0;
};

struct FastKernels
{
	void (*band_bank)(BandBankJob &job);
	void (*low_pass_pair)(LowPassPairJob &job);
	// dst = (float)(g * (double)src), or with add (float)((double)dst + g * (double)src).
	void (*balance)(float *dst, const float *src, long n, double g, bool add);
	// y = atan((double)(f * src)) * 2/pi (f * src in float); dst = (float)y, or
	// with mix dst = (float)((double)dst + y). dst may be src.
	void (*disto_float)(float *dst, const float *src, long n, float f, bool mix);
	// y = atan(f * (double)src) * 2/pi; dst[c] = (float)((double)dst[c] + y)
	// for the nbr_dst first channels.
	void (*disto_double_mix)(float *const *dst, const float *src, long n, double f, int nbr_dst);
	// y[i] = atan(x[i]) within one ulp (the vectorised arctangent alone).
	void (*atan_block)(const double *x, double *y, long n);
};

// The table of a vector path (SSE2 or AVX2; SCALAR gives SSE2's).
const FastKernels &get_fast_kernels(dsp::SimdPath path);
