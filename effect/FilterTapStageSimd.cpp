// The filter stage's block processing on the lane-parallel kernels: the
// band filters of both channels run side by side, then the bands are summed
// in ascending order. Same results as process_block_scalar, bit for bit.
#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "dsp/Biquad.h"
#include "effect/FilterTapStage.h"

namespace
{

constexpr int DELAY_MASK = FilterTapStage::DELAY_LEN - 1;
constexpr int L = BandBankJob::LANES;

// The dither generator r = s * A + C, s = r & 0x7FFFFFFF, k steps at once:
// modulo 2^31 (all that s keeps) it is s_k = A_k s + C_k.
constexpr uint32_t RAND_A = 1103515245u;
constexpr uint32_t RAND_C = 12345u;
constexpr uint32_t RAND_A2 = RAND_A * RAND_A;
constexpr uint32_t RAND_C2 = RAND_A * RAND_C + RAND_C;
constexpr uint32_t RAND_A3 = RAND_A * RAND_A2;
constexpr uint32_t RAND_C3 = RAND_A * RAND_C2 + RAND_C;
constexpr uint32_t RAND_A4 = RAND_A * RAND_A3;
constexpr uint32_t RAND_C4 = RAND_A * RAND_C3 + RAND_C;

// Bit 16 of the generator's output picks the sign (bit 16 is below the
// cleared bit 31, so the new state shows it as well): -1e-20 with its sign
// bit flipped when it is set, without a branch on random data.
inline float dither_of(uint32_t r)
{
	constexpr uint32_t minus_bits = std::bit_cast<uint32_t>(-1e-20f);
	return std::bit_cast<float>(minus_bits ^ ((r & 0x10000u) << 15));
}

// The dithers of the next four steps from state s, side by side: the low
// 32 bits of A_k s + C_k in each lane (two 32 x 32 multiplies cover the
// four lanes), then bit 16 into the sign of -1e-20 as in dither_of.
inline __m128 dither4(uint32_t s)
{
	const __m128i a = _mm_setr_epi32((int)RAND_A, (int)RAND_A2, (int)RAND_A3, (int)RAND_A4);
	const __m128i c = _mm_setr_epi32((int)RAND_C, (int)RAND_C2, (int)RAND_C3, (int)RAND_C4);
	const __m128i vs = _mm_set1_epi32((int)s);
	const __m128i p02 = _mm_mul_epu32(vs, a);
	const __m128i p13 = _mm_mul_epu32(vs, _mm_srli_epi64(a, 32));
	const __m128i r = _mm_add_epi32(_mm_unpacklo_epi32(_mm_shuffle_epi32(p02, 0x08), _mm_shuffle_epi32(p13, 0x08)), c);
	const __m128i sign = _mm_slli_epi32(_mm_and_si128(r, _mm_set1_epi32(0x10000)), 15);
	constexpr uint32_t minus_bits = std::bit_cast<uint32_t>(-1e-20f);
	return _mm_castsi128_ps(_mm_xor_si128(_mm_set1_epi32((int)minus_bits), sign));
}

// dst[2 t] = l[t], dst[2 t + 1] = r[t].
inline void interleave(float *dst, const float *l, const float *r, long n)
{
	long t = 0;
	for (; t + 4 <= n; t += 4) {
		const __m128 a = _mm_loadu_ps(l + t);
		const __m128 b = _mm_loadu_ps(r + t);
		_mm_storeu_ps(dst + 2 * t, _mm_unpacklo_ps(a, b));
		_mm_storeu_ps(dst + 2 * t + 4, _mm_unpackhi_ps(a, b));
	}
	for (; t < n; ++t) {
		dst[2 * t] = l[t];
		dst[2 * t + 1] = r[t];
	}
}

} // namespace

void FilterTapStage::copy_rand_block_simd(const float **in, long n)
{
	float dither[BUF_LEN];
	uint32_t s = rand_seed;
	long i = 0;
	for (; i + 4 <= n; i += 4) {
		_mm_storeu_ps(dither + i, dither4(s));
		s = (s * RAND_A4 + RAND_C4) & 0x7FFFFFFFu;
	}
	for (; i < n; ++i) {
		const uint32_t r = s * RAND_A + RAND_C;
		dither[i] = dither_of(r);
		s = r & 0x7FFFFFFFu;
	}
	rand_seed = s;

	write_pos &= DELAY_MASK;
	const long len1 = std::min<long>(n, DELAY_LEN - write_pos);
	auto copy = [&](long from, long len, int pos) {
		float *dl = delay_line[0] + pos;
		const float *sl = in[0] + from;
		const float *d = dither + from;
		for (long j = 0; j < len; ++j)
			dl[j] = sl[j] + d[j];
		if (stereo_flag) {
			float *dr = delay_line[1] + pos;
			const float *sr = in[1] + from;
			for (long j = 0; j < len; ++j)
				dr[j] = sr[j] + d[j];
		}
	};
	copy(0, len1, write_pos);
	write_pos += (int32_t)len1;
	if (n > len1) {
		copy(len1, n - len1, 0);
		write_pos = (int32_t)(n - len1);
	}
}

namespace
{

// BandBankJob::bp_floor of the first nl lanes of coef: 0 unless every one
// is a band-pass (b1 = +0, b2 = -b0 bit for bit, b0 finite and not zero).
int32_t band_pass_floor(const float *coef, int nl)
{
	float min_b0 = 3.0e38f;
	for (int l = 0; l < nl; ++l) {
		const uint32_t b0 = std::bit_cast<uint32_t>(coef[l]);
		if (std::bit_cast<uint32_t>(coef[L + l]) != 0u || std::bit_cast<uint32_t>(coef[2 * L + l]) != (b0 ^ 0x80000000u))
			return 0;
		const float a = std::fabs(coef[l]);
		if (!(a < 3.0e38f))
			return 0;
		min_b0 = std::min(min_b0, a);
	}
	// |x| at the floor keeps |b0 x| at 2^-125 or more, twice the smallest
	// normal, so that flushing to zero never meets it; never below the
	// smallest normal itself (denormal inputs count as zero).
	const double lo = 0x1p-125 / (double)min_b0;
	if (!(lo < 1.0e30))
		return 0;
	return std::max(std::bit_cast<int32_t>((float)lo) + 1, 0x00800000);
}

} // namespace

void FilterTapStage::release_lanes()
{
	if (lanes_nb < 0)
		return;
	const Lanes &ln = lanes;
	const int nbr_chn = lanes_stereo ? 2 : 1;
	for (int k = 0; k < lanes_nb; ++k) {
		for (int c = 0; c < nbr_chn; ++c) {
			dsp::Filter2p &f = band[c][k];
			const int lane = 2 * k + c;
			const int p = f.mem_pos ^ lanes_flip;
			f.mem_x[p] = ln.state[0 * L + lane];
			f.mem_x[1 - p] = ln.state[1 * L + lane];
			f.mem_y[p] = ln.state[2 * L + lane];
			f.mem_y[1 - p] = ln.state[3 * L + lane];
			f.mem_pos = p;
		}
	}
	lanes_nb = -1;
}

void FilterTapStage::load_lanes(int nb)
{
	release_lanes();
	Lanes &ln = lanes;
	for (int k = 0; k < nb; ++k) {
		for (int c = 0; c < 2; ++c) {
			const dsp::Filter2p &f = band[stereo_flag ? c : 0][k];
			const int lane = 2 * k + c;
			const int p = f.mem_pos;
			ln.state[0 * L + lane] = f.mem_x[p];
			ln.state[1 * L + lane] = f.mem_x[1 - p];
			ln.state[2 * L + lane] = f.mem_y[p];
			ln.state[3 * L + lane] = f.mem_y[1 - p];
		}
	}
	lanes_nb = nb;
	lanes_stereo = stereo_flag;
	lanes_flip = 0;
	load_lane_coefs(nb);
}

void FilterTapStage::load_lane_coefs(int nb)
{
	Lanes &ln = lanes;
	for (int k = 0; k < nb; ++k) {
		for (int c = 0; c < 2; ++c) {
			const dsp::Filter2p &f = band[stereo_flag ? c : 0][k];
			const int lane = 2 * k + c;
			ln.coef[0 * L + lane] = f.b0;
			ln.coef[1 * L + lane] = f.b1;
			ln.coef[2 * L + lane] = f.b2;
			ln.coef[3 * L + lane] = f.a1;
			ln.coef[4 * L + lane] = f.a2;
		}
	}
	lanes_bp_floor = band_pass_floor(ln.coef, 2 * nb);
	lanes_coef_valid = true;
}

void FilterTapStage::load_lp_lanes(BandBankJob &job, const LowPassPairJob &lp, int nb, long n)
{
	Lanes &ln = lanes;
	std::fill(ln.lp_sel, ln.lp_sel + L, 0.0f);
	std::fill(ln.lp_off[0], ln.lp_off[0] + L, -0.0f);
	std::fill(ln.lp_off[1], ln.lp_off[1] + L, -0.0f);
	for (int c = 0; c < 2; ++c) {
		const int lane = 2 * nb + c;
		for (int j = 0; j < 5; ++j)
			ln.coef[j * L + lane] = lp.coef[j];
		for (int j = 0; j < 4; ++j)
			ln.state[j * L + lane] = lp.state[2 * j + c];
		ln.level[lane] = 1.0f;
		ln.level_step[lane] = 0.0f;
		ln.lp_sel[lane] = std::bit_cast<float>(0xFFFFFFFFu);
		ln.lp_off[lp.parity[c] & 1][lane] = dsp::Biquad::ANTI_DENORMAL;
	}
	const float *in0 = lp.in[0];
	const float *in1 = lp.in[1];
	if (job.shared_in) {
		interleave(ln.lp_in, in0, in1, n);
		job.lp_in = ln.lp_in;
	} else {
		float *x = ln.xlane + 2 * nb;
		for (long t = 0; t < n; ++t) {
			x[t * L] = in0[t];
			x[t * L + 1] = in1[t];
		}
	}
	job.lp = true;
	job.lp_sel = ln.lp_sel;
	job.lp_off[0] = ln.lp_off[0];
	job.lp_off[1] = ln.lp_off[1];
	job.lp_out[0] = lp.out[0];
	job.lp_out[1] = lp.out[1];
}

void FilterTapStage::process_block_simd(float **out, const float **in, long n, LowPassPairJob *lp)
{
	const int nbr_chn = stereo_flag ? 2 : 1;
	const bool bank_runs = nbr_active_band > 0 && !bank_silent();
	// The pair reads its inputs before anything is written.
	if (lp != nullptr && !bank_runs) {
		kernels->low_pass_pair(*lp);
		lp = nullptr;
	}
	copy_rand_block_simd(in, n);

	if (bank_silent()) {
		for (int c = 0; c < nbr_chn; ++c)
			std::fill(out[c], out[c] + n, 0.0f);
		return;
	}

	const int nb = nbr_active_band;
	if (nb <= 0) {
		// Only a "Tone" ramp runs: the gain applies to what out holds.
		apply_band_gain(out, nbr_chn, n);
		return;
	}
	Lanes &ln = lanes;
	if (lanes_nb != nb || lanes_stereo != stereo_flag)
		load_lanes(nb);
	else if (!lanes_coef_valid)
		load_lane_coefs(nb);
	// Levels only matter while some band fades.
	if (first_rband < nb) {
		for (int k = 0; k < nb; ++k) {
			const float level = (k < first_rband) ? 1.0f : band_level[k];
			const float step = (k < first_rband) ? 0.0f
			                   : (k < first_rband_decreasing) ? band_ramp_step
			                                                  : -band_ramp_step;
			ln.level[2 * k] = ln.level[2 * k + 1] = level;
			ln.level_step[2 * k] = ln.level_step[2 * k + 1] = step;
		}
	}
	// Lanes past the bands compute on whatever they hold; nothing reads them.

	BandBankJob job;
	job.nbr_band = nb;
	job.stereo = stereo_flag;
	job.fade = first_rband < nb;
	job.n = n;
	job.coef = ln.coef;
	job.bp_floor = lanes_bp_floor;
	job.state = ln.state;
	job.level = ln.level;
	job.level_step = ln.level_step;
	job.ff = ln.ff;
	job.zbuf = ln.zbuf;
	job.out[0] = out[0];
	job.out[1] = out[1];

	// The inputs: the block just written, delayed by each band's delay.
	const float *line_l = delay_line[0];
	const float *line_r = delay_line[stereo_flag ? 1 : 0];
	job.shared_in = std::all_of(delay_spl + 1, delay_spl + nb, [&](int32_t d) { return d == delay_spl[0]; });
	if (job.shared_in) {
		const int pos = (write_pos - delay_spl[0] - (int)n) & DELAY_MASK;
		const long len1 = std::min<long>(n, DELAY_LEN - pos);
		interleave(ln.xin, line_l + pos, line_r + pos, len1);
		interleave(ln.xin + 2 * len1, line_l, line_r, n - len1);
		job.xin = ln.xin;
	} else {
		for (int k = 0; k < nb; ++k) {
			const int pos = (write_pos - delay_spl[k] - (int)n) & DELAY_MASK;
			float *x = ln.xlane + 2 * k;
			for (long t = 0; t < n; ++t) {
				const int p = (pos + (int)t) & DELAY_MASK;
				x[t * L] = line_l[p];
				x[t * L + 1] = line_r[p];
			}
		}
		job.xlane = ln.xlane;
	}
	if (lp != nullptr)
		load_lp_lanes(job, *lp, nb, n);

	// The band gain: constant, or one value per frame by repeated addition.
	if (band_gain == band_gain_target) {
		job.gain = band_gain;
	} else {
		float g = band_gain;
		for (long t = 0; t < n; ++t) {
			ln.gain_seq[2 * t] = g;
			ln.gain_seq[2 * t + 1] = g;
			g += band_gain_step;
		}
		band_gain = g;
		job.gain_ramp = true;
		job.gain_seq = ln.gain_seq;
	}

	kernels->band_bank(job);

	lanes_flip ^= (int)(n & 1);
	for (int k = first_rband; k < nb; ++k)
		band_level[k] = ln.level[2 * k];
	if (lp != nullptr) {
		for (int c = 0; c < 2; ++c) {
			for (int j = 0; j < 4; ++j)
				lp->state[2 * j + c] = ln.state[j * L + 2 * nb + c];
		}
	}
}
