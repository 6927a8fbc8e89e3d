// The vectorised arctangent against std::atan, and the distortion and band
// kernels against the scalar formulas they replace, bit for bit.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "dsp/Filter2p.h"
#include "dsp/VecAvx2.h"
#include "dsp/VecSse2.h"
#include "effect/FastKernels.h"

namespace
{

using dsp::SimdPath;

constexpr double TWO_OVER_PI = 0.6366197723675814;

std::vector<SimdPath> vector_paths()
{
	std::vector<SimdPath> paths{SimdPath::SSE2};
	if (dsp::is_simd_path_supported(SimdPath::AVX2))
		paths.push_back(SimdPath::AVX2);
	return paths;
}

// Distance in ulps between two finite doubles of the same sign.
int64_t ulp_distance(double a, double b)
{
	int64_t ia, ib;
	std::memcpy(&ia, &a, sizeof(a));
	std::memcpy(&ib, &b, sizeof(b));
	if ((ia < 0) != (ib < 0))
		return (a == b) ? 0 : INT64_MAX;
	return std::llabs(ia - ib);
}

// Arguments over the engine's range: gain (1.57 to 15.7) times samples,
// mostly below 4 in size, some loud, some nearly silent; as floats (the
// stereo forms) and as doubles (the mono accumulating form).
std::vector<double> engine_arguments(long n, unsigned seed)
{
	std::mt19937_64 gen(seed);
	std::uniform_real_distribution<double> lin(-64.0, 64.0);
	std::uniform_real_distribution<double> expo(-40.0, 30.0);
	std::vector<double> x(n);
	for (long i = 0; i < n; ++i) {
		double v;
		switch (i % 4) {
		case 0: v = lin(gen); break;
		case 1: v = (float)lin(gen); break;
		case 2: v = std::exp2(expo(gen)) * ((gen() & 1) ? 1.0 : -1.0); break;
		default: v = (float)(std::exp2(expo(gen)) * ((gen() & 1) ? 1.0 : -1.0)); break;
		}
		x[i] = v;
	}
	return x;
}

TEST(AtanVec, WithinOneUlpOfTheLibraryOnTenMillionArguments)
{
	constexpr long N = 10'000'000;
	const std::vector<double> x = engine_arguments(N, 5);
	std::vector<double> y(N);
	for (SimdPath path : vector_paths()) {
		get_fast_kernels(path).atan_block(x.data(), y.data(), N);
		long off_by_one = 0;
		int64_t worst = 0;
		for (long i = 0; i < N; ++i) {
			const int64_t d = ulp_distance(y[i], std::atan(x[i]));
			if (d > worst)
				worst = d;
			off_by_one += (d != 0);
		}
		EXPECT_LE(worst, 1) << dsp::simd_path_name(path);
		// Nearly always the library's value (about 3 in 1000 are one ulp off).
		EXPECT_LT(off_by_one, N / 100) << dsp::simd_path_name(path);
		RecordProperty(std::string("differing_") + dsp::simd_path_name(path), (int)off_by_one);
	}
}

TEST(AtanVec, SpecialArguments)
{
	const double inf = INFINITY;
	const std::vector<double> x = {0.0, -0.0, 1.0, -1.0, 3.0 / 128.0, 1.0 / 64.0, 128.0 / 3.0, 64.0, 128.0,
	                               1e-300, -4.9e-324, 1e-20, 0x1p500, 0x1.0000000000001p500, 1e300, -1e308,
	                               inf, -inf, NAN, 0.9999999999999999, 1.0000000000000002, 0x1p-1022};
	std::vector<double> y(x.size());
	for (SimdPath path : vector_paths()) {
		get_fast_kernels(path).atan_block(x.data(), y.data(), (long)x.size());
		for (size_t i = 0; i < x.size(); ++i) {
			const double ref = std::atan(x[i]);
			if (std::isnan(ref)) {
				EXPECT_TRUE(std::isnan(y[i]));
				continue;
			}
			EXPECT_LE(ulp_distance(y[i], ref), 1) << x[i] << " on " << dsp::simd_path_name(path);
			EXPECT_EQ(std::signbit(y[i]), std::signbit(ref)) << x[i];
		}
	}
}

// The process calls run with flush-to-zero and denormals-are-zero.
struct FtzDaz
{
	FtzDaz() : saved(_mm_getcsr()) { _mm_setcsr(saved | 0x8040); }
	~FtzDaz() { _mm_setcsr(saved); }
	unsigned saved;
};

std::vector<float> sample_values(long n, unsigned seed)
{
	std::mt19937 gen(seed);
	std::uniform_real_distribution<float> lin(-4.0f, 4.0f);
	std::uniform_real_distribution<float> expo(-60.0f, 5.0f);
	std::vector<float> s(n);
	for (long i = 0; i < n; ++i)
		s[i] = (i % 3 == 0) ? std::exp2(expo(gen)) * ((gen() & 1) ? 1.0f : -1.0f) : lin(gen);
	s[n / 2] = NAN;
	s[n / 3] = INFINITY;
	s[n / 4] = -0.0f;
	return s;
}

bool same_bits(const std::vector<float> &a, const std::vector<float> &b)
{
	return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST(FastKernels, FloatArctangentFormsAreExact)
{
	FtzDaz mode;
	constexpr long N = 1'000'003; // not a multiple of the vector width
	const std::vector<float> src = sample_values(N, 9);
	const std::vector<float> start = sample_values(N, 10);
	for (const float gain : {1.0f, 3.7f, 10.0f}) {
		const float f = gain * 1.5707964f;
		std::vector<float> ref_r(N), ref_m = start;
		for (long i = 0; i < N; ++i) {
			const double y = std::atan((double)(f * src[i])) * TWO_OVER_PI;
			ref_r[i] = (float)y;
			ref_m[i] = (float)((double)ref_m[i] + y);
		}
		for (SimdPath path : vector_paths()) {
			const FastKernels &k = get_fast_kernels(path);
			std::vector<float> got_r(N), got_m = start;
			k.disto_float(got_r.data(), src.data(), N, f, false);
			k.disto_float(got_m.data(), src.data(), N, f, true);
			EXPECT_TRUE(same_bits(ref_r, got_r)) << dsp::simd_path_name(path) << " gain " << gain;
			EXPECT_TRUE(same_bits(ref_m, got_m)) << dsp::simd_path_name(path) << " gain " << gain;
			// In place, as the engine distorts its low-pass buffer.
			std::vector<float> inplace = src;
			k.disto_float(inplace.data(), inplace.data(), N, f, false);
			EXPECT_TRUE(same_bits(ref_r, inplace)) << dsp::simd_path_name(path);
		}
	}
}

TEST(FastKernels, DoubleArctangentFormIsExact)
{
	FtzDaz mode;
	constexpr long N = 500'001;
	const std::vector<float> src = sample_values(N, 13);
	const double f = 2.5 * 1.5707963267948966;
	const std::vector<float> start0 = sample_values(N, 14);
	const std::vector<float> start1(N, 0.0f); // from zero the sum is the result alone
	std::vector<float> ref0 = start0, ref1 = start1;
	for (long i = 0; i < N; ++i) {
		const double y = std::atan(f * (double)src[i]) * TWO_OVER_PI;
		ref0[i] = (float)((double)ref0[i] + y);
		ref1[i] = (float)((double)ref1[i] + y);
	}
	for (SimdPath path : vector_paths()) {
		std::vector<float> got0 = start0, got1 = start1;
		float *dst[2] = {got0.data(), got1.data()};
		get_fast_kernels(path).disto_double_mix(dst, src.data(), N, f, 2);
		EXPECT_TRUE(same_bits(ref0, got0)) << dsp::simd_path_name(path);
		EXPECT_TRUE(same_bits(ref1, got1)) << dsp::simd_path_name(path);
		// One destination leaves the second alone.
		std::vector<float> only = start0, untouched = start1;
		float *dst1[2] = {only.data(), untouched.data()};
		get_fast_kernels(path).disto_double_mix(dst1, src.data(), N, f, 1);
		EXPECT_TRUE(same_bits(ref0, only));
		EXPECT_TRUE(same_bits(start1, untouched));
	}
}

// Results a hair from the middle between two floats: the approximation
// cannot decide the rounding and the kernels fall back on the library. The
// gain is chosen so that f * 1.0 lands there.
TEST(FastKernels, ResultsAtRoundingBoundariesFallBackToTheLibrary)
{
	FtzDaz mode;
	std::mt19937 gen(3);
	std::uniform_real_distribution<float> lin(0.01f, 0.99f);
	const std::vector<float> src = {1.0f, -1.0f, 1.0f, 0.5f, 1.0f, 2.0f, 1.0f, -1.0f, 1.0f};
	const long n = (long)src.size();
	for (int j = 0; j < 300; ++j) {
		const float m = lin(gen);
		const double mid = ((double)m + (double)std::nextafter(m, 2.0f)) / 2.0;
		const double fd = std::tan(mid / TWO_OVER_PI);
		const float ff = (float)fd;
		std::vector<float> ref_d(n, 0.0f), ref_f(n, 0.0f);
		for (long i = 0; i < n; ++i) {
			ref_d[i] = (float)(0.0 + std::atan(fd * (double)src[i]) * TWO_OVER_PI);
			ref_f[i] = (float)(std::atan((double)(ff * src[i])) * TWO_OVER_PI);
		}
		for (SimdPath path : vector_paths()) {
			const FastKernels &k = get_fast_kernels(path);
			std::vector<float> got_d(n, 0.0f), got_f(n, 0.0f);
			float *dst[1] = {got_d.data()};
			k.disto_double_mix(dst, src.data(), n, fd, 1);
			k.disto_float(got_f.data(), src.data(), n, ff, false);
			ASSERT_TRUE(same_bits(ref_d, got_d)) << dsp::simd_path_name(path) << " midpoint " << mid;
			ASSERT_TRUE(same_bits(ref_f, got_f)) << dsp::simd_path_name(path) << " midpoint " << mid;
		}
	}
}

// The rounding test of the float distortion: which doubles lie within t ulps
// of a midpoint between two floats, for both vector widths.
int near_midpoint_sse2(double a, double b, int32_t t)
{
	return dsp::VecSse2::dnear_float_midpoint(_mm_setr_pd(a, b), t);
}

__attribute__((target("avx2"))) int near_midpoint_avx2(double a, double b, int32_t t)
{
	return dsp::VecAvx2::dnear_float_midpoint(_mm256_setr_pd(a, b, b, a), t) & 3;
}

TEST(FastKernels, MidpointTestFlagsExactlyTheValuesWithinItsUlps)
{
	// Midpoints inside a binade, just below a power of two (between the
	// largest float under it and the power itself), of both signs.
	const float lows[] = {0.3f, 0.7f, std::nextafter(0.5f, 0.0f), std::nextafter(1.0f, 0.0f), -0.6f, 1e-20f};
	for (const float lo : lows) {
		const double mid = ((double)lo + (double)std::nextafter(lo, 2.0f * lo)) / 2.0;
		for (const int32_t t : {0, 1, 64}) {
			for (int k = -t - 3; k <= t + 3; ++k) {
				double z = mid;
				for (int j = 0; j < std::abs(k); ++j)
					z = std::nextafter(z, k > 0 ? INFINITY : -INFINITY);
				const int want = (std::abs(k) <= t) ? 3 : 0;
				EXPECT_EQ(near_midpoint_sse2(z, z, t), want) << lo << " k " << k << " t " << t;
				if (dsp::is_simd_path_supported(SimdPath::AVX2)) {
					EXPECT_EQ(near_midpoint_avx2(z, z, t), want) << lo << " k " << k << " t " << t;
				}
			}
		}
		// Floats themselves and zero are far from any midpoint.
		EXPECT_EQ(near_midpoint_sse2((double)lo, 0.0, 64), 0);
	}
	// Lanes are told apart.
	EXPECT_EQ(near_midpoint_sse2(0.25, (0.25 + (double)std::nextafter(0.25f, 1.0f)) / 2.0, 64), 2);
}

TEST(FastKernels, BalanceIsExact)
{
	constexpr long N = 10'007;
	const std::vector<float> src = sample_values(N, 21);
	const std::vector<float> start = sample_values(N, 22);
	for (const double g : {0.5, 0.7071067811865476, 4.3e-17}) {
		for (const bool add : {false, true}) {
			std::vector<float> ref = start;
			for (long i = 0; i < N; ++i) {
				const double s = g * (double)src[i];
				ref[i] = add ? (float)((double)ref[i] + s) : (float)s;
			}
			for (SimdPath path : vector_paths()) {
				std::vector<float> got = start;
				get_fast_kernels(path).balance(got.data(), src.data(), N, g, add);
				EXPECT_TRUE(same_bits(ref, got)) << dsp::simd_path_name(path) << " g " << g << " add " << add;
			}
		}
	}
}

// The band bank on shared inputs against the biquad formula lane by lane.
// Band-pass lanes take a shorter feed-forward when the chunk allows it;
// zeros of either sign, infinities, NaN and inputs too small for b0 x to
// stay normal must send the chunk back to the full formula.
class BandBank
{
public:
	static constexpr int L = BandBankJob::LANES;
	static constexpr long N = 64;

	explicit BandBank(int nbr_band) : nb(nbr_band)
	{
		for (int k = 0; k < nb; ++k) {
			dsp::Filter2p f;
			f.type = dsp::Filter2p::TYPE_BAND_PASS;
			f.sample_freq = 44100.0f;
			f.freq = 900.0f * (float)(k + 1);
			f.q = 8.0f + (float)k;
			f.reso = 1.5f;
			f.update_eq();
			const float c[5] = {f.b0, f.b1, f.b2, f.a1, f.a2};
			for (int j = 0; j < 5; ++j)
				coef[j * L + 2 * k] = coef[j * L + 2 * k + 1] = c[j];
		}
	}

	// The reference: ((b0 x + b1 x1) + b2 x2) - ((a1 y1) + (a2 y2)) per
	// lane, bands summed in ascending order, times the gain.
	void reference(const float *xin, long n, float *st, float *out0, float *out1) const
	{
		std::vector<float> z((size_t)(2 * nb * n));
		for (int l = 0; l < 2 * nb; ++l) {
			const float *c = coef + l;
			float x1 = st[l], x2 = st[L + l], y1 = st[2 * L + l], y2 = st[3 * L + l];
			for (long t = 0; t < n; ++t) {
				const float x = xin[2 * t + (l & 1)];
				const float f = ((c[0] * x + c[L] * x1) + c[2 * L] * x2);
				const float y = f - ((c[3 * L] * y1) + (c[4 * L] * y2));
				z[(size_t)(l * n + t)] = y;
				x2 = x1;
				x1 = x;
				y2 = y1;
				y1 = y;
			}
			st[l] = x1;
			st[L + l] = x2;
			st[2 * L + l] = y1;
			st[3 * L + l] = y2;
		}
		for (long t = 0; t < n; ++t) {
			float s[2] = {z[(size_t)t], z[(size_t)(n + t)]};
			for (int k = 1; k < nb; ++k) {
				s[0] += z[(size_t)(2 * k * n + t)];
				s[1] += z[(size_t)((2 * k + 1) * n + t)];
			}
			out0[t] = s[0] * GAIN;
			out1[t] = s[1] * GAIN;
		}
	}

	void run(const FastKernels &k, const float *xin, long n, float *st, float *out0, float *out1)
	{
		BandBankJob job;
		job.nbr_band = nb;
		job.stereo = true;
		job.shared_in = true;
		job.n = n;
		job.xin = xin;
		job.coef = coef;
		job.state = st;
		job.level = level;
		job.level_step = level_step;
		job.ff = ff.data();
		job.zbuf = zbuf.data();
		job.gain = GAIN;
		job.out[0] = out0;
		job.out[1] = out1;
		k.band_bank(job);
	}

	static constexpr float GAIN = 0.75f;
	int nb;
	alignas(32) float coef[5 * L] = {};
	float level[L] = {};
	float level_step[L] = {};
	std::vector<float> ff = std::vector<float>(BandBankJob::MAX_LEN * L);
	std::vector<float> zbuf = std::vector<float>(16 * BandBankJob::ZSTRIDE);
};

// Equal bits, or NaN on both sides (its payload is not defined).
bool same_or_both_nan(const float *a, const float *b, long n)
{
	for (long i = 0; i < n; ++i) {
		if (std::isnan(a[i]) && std::isnan(b[i]))
			continue;
		if (std::memcmp(a + i, b + i, sizeof(float)) != 0)
			return false;
	}
	return true;
}

TEST(FastKernels, BandBankMatchesTheBiquadFormulaOnAnyInput)
{
	FtzDaz mode;
	std::mt19937 gen(17);
	std::uniform_real_distribution<float> lin(-1.0f, 1.0f);
	struct Case
	{
		const char *name;
		float (*value)(long t, float noise);
		bool zero_state;
	};
	const Case cases[] = {
		{"noise", [](long, float v) { return v; }, false},
		// -0 first: b0 (-0) + b1 x1 is +0, while b0 (-0) - b0 x2 is -0.
		{"signed zeros", [](long t, float) { return (t % 3 == 1) ? 0.0f : -0.0f; }, true},
		{"infinity", [](long t, float v) { return t == 5 ? INFINITY : v; }, false},
		{"NaN", [](long t, float v) { return t == 9 ? NAN : v; }, false},
		{"denormal", [](long t, float v) { return (t & 1) ? 1e-39f : v; }, false},
		{"tiny", [](long t, float v) { return (t & 1) ? 1e-37f : v; }, false},
	};
	for (SimdPath path : vector_paths()) {
		for (const int nb : {1, 4, 15}) {
			for (const Case &c : cases) {
				for (const long n : {1L, 2L, 3L, 63L, 64L}) {
					BandBank bank(nb);
					alignas(32) float st_ref[4 * BandBank::L] = {};
					if (!c.zero_state) {
						for (float &v : st_ref)
							v = lin(gen);
					}
					alignas(32) float st_got[4 * BandBank::L];
					std::memcpy(st_got, st_ref, sizeof(st_ref));
					std::vector<float> xin((size_t)(2 * n));
					for (long t = 0; t < n; ++t)
						xin[(size_t)(2 * t)] = xin[(size_t)(2 * t + 1)] = c.value(t, lin(gen));
					float ref[2][BandBank::N], got[2][BandBank::N];
					bank.reference(xin.data(), n, st_ref, ref[0], ref[1]);
					bank.run(get_fast_kernels(path), xin.data(), n, st_got, got[0], got[1]);
					const char *p = dsp::simd_path_name(path);
					EXPECT_TRUE(same_or_both_nan(ref[0], got[0], n)) << p << " " << c.name << " bands " << nb << " n " << n;
					EXPECT_TRUE(same_or_both_nan(ref[1], got[1], n)) << p << " " << c.name << " bands " << nb << " n " << n;
					for (int j = 0; j < 4; ++j) {
						EXPECT_TRUE(same_or_both_nan(st_ref + j * BandBank::L, st_got + j * BandBank::L, 2 * nb))
							<< p << " " << c.name << " state row " << j << " bands " << nb << " n " << n;
					}
				}
			}
		}
	}
}

} // namespace
