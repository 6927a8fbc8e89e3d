// Bodies of the FastKernels, templated over the vector type. Included once
// per instruction set, inside a namespace of its own, by FastKernelsSse2.cpp
// and FastKernelsAvx2.cpp (the latter compiles it for AVX2).
//
// Kernels that replace a float formula compute it in the same order with
// the same roundings. The arctangent forms compute a double result that is
// correct to well within 2^-47 and then test whether every value that close
// rounds to the same float; the rare lanes that do not (and NaN, huge
// arguments) are recomputed with std::atan, so the output is exact.
//
// A fragment: the including unit has included <algorithm>, <bit>, <cmath>, <cstring>, the
// intrinsics, dsp/AtanTable.h, effect/FastKernels.h and its vector header,
// and includes dsp/AtanVec.h and this file inside its own namespace.

template <class V>
struct FastKernelsT
{
	using F = typename V::F;
	using D = typename V::D;
	static constexpr int WF = V::WF;
	static constexpr int WD = V::WD;
	static constexpr int LANES = BandBankJob::LANES;
	static constexpr long ZS = BandBankJob::ZSTRIDE;
	static constexpr double TWO_OVER_PI = 0.6366197723675814;

	// Whether the band lanes may form their feed-forward as p[t] - p[t-2],
	// p = b0 x (see BandBankJob::bp_floor): every input of the chunk, the
	// two remembered ones of each band lane included, is finite and at
	// least the floor in size.
	static bool band_pass_form(const BandBankJob &job)
	{
		const int32_t lo_bits = job.bp_floor;
		constexpr int32_t hi_bits = 0x7F7FFFFF;
		if (!job.shared_in || lo_bits <= 0)
			return false;
		const int nl = 2 * job.nbr_band;
		int bad = 0;
		for (int row = 0; row < 2; ++row) {
			const float *x = job.state + row * LANES;
			for (int o = 0; o < nl; o += WF) {
				const int live = (nl - o >= WF) ? (1 << WF) - 1 : (1 << (nl - o)) - 1;
				bad |= V::fabs_bits_outside(V::fload(x + o), lo_bits, hi_bits) & live;
			}
		}
		const float *const xin = job.xin;
		const long nx = 2 * job.n;
		long i = 0;
		for (; i + WF <= nx; i += WF)
			bad |= V::fabs_bits_outside(V::fload(xin + i), lo_bits, hi_bits);
		for (; i < nx; ++i) {
			const int32_t a = std::bit_cast<int32_t>(xin[i]) & 0x7FFFFFFF;
			bad |= (a < lo_bits || a > hi_bits) ? 1 : 0;
		}
		return bad == 0;
	}

	// ff[t] = ((b0 x[t] + b1 x[t-1]) + b2 x[t-2]) for every lane, or in the
	// first nbr_bp vectors p[t] - p[t-2] (see band_pass_form); the inputs
	// before the block come from the state, which takes the last two. The
	// first nbr_fly vectors get only their first two frames (the ones that
	// reach into each lane's own state): the recursion forms the rest.
	template <bool SHARED>
	static void feed_forward(BandBankJob &job, int nbr_vec, int nbr_bp, int nbr_fly)
	{
		// Locals: the vector stores below may alias anything, job included.
		const long n = job.n;
		float *const ff = job.ff;
		const float *const xin = job.xin;
		for (int v = 0; v < nbr_vec; ++v) {
			const int o = v * WF;
			// The low-pass pair's vector: its own inputs and offsets.
			const bool lpv = job.lp && v == nbr_vec - 1;
			const F sel = lpv ? V::fload(job.lp_sel + o) : V::fset1(0.0f);
			const F none = V::fset1(-0.0f);
			const F off_e = lpv ? V::fload(job.lp_off[0] + o) : none;
			const F off_o = lpv ? V::fload(job.lp_off[1] + o) : none;
			auto input = [&](long t) {
				if (!SHARED)
					return V::fload(job.xlane + t * LANES + o);
				const F x = V::fbroadcast_pair(job.xin + 2 * t);
				return lpv ? V::fsel(x, V::fbroadcast_pair(job.lp_in + 2 * t), sel) : x;
			};
			const F b0 = V::fload(job.coef + 0 * LANES + o);
			F h1 = V::fload(job.state + 0 * LANES + o);
			F h2 = V::fload(job.state + 1 * LANES + o);
			if (SHARED && v < nbr_bp) {
				F pm1 = V::fmul(b0, h1), pm2 = V::fmul(b0, h2);
				float *const f = ff + o;
				const long n_ff = (v < nbr_fly) ? std::min<long>(n, 2) : n;
				long t = 0;
				for (; t + 1 < n_ff; t += 2) {
					const F pa = V::fmul(b0, V::fbroadcast_pair(xin + 2 * t));
					V::fstore(f + t * LANES, V::fsub(pa, pm2));
					const F pb = V::fmul(b0, V::fbroadcast_pair(xin + 2 * t + 2));
					V::fstore(f + (t + 1) * LANES, V::fsub(pb, pm1));
					pm2 = pa;
					pm1 = pb;
				}
				if (t < n_ff)
					V::fstore(f + t * LANES, V::fsub(V::fmul(b0, V::fbroadcast_pair(xin + 2 * t)), pm2));
			} else {
				const F b1 = V::fload(job.coef + 1 * LANES + o);
				const F b2 = V::fload(job.coef + 2 * LANES + o);
				F x1 = h1, x2 = h2;
				for (long t = 0; t < n; ++t) {
					const F x = input(t);
					F p = V::fmul(b0, x);
					if (lpv)
						p = V::fadd(p, (t == n - 1) ? none : ((t & 1) ? off_o : off_e));
					const F f = V::fadd(V::fadd(p, V::fmul(b1, x1)), V::fmul(b2, x2));
					V::fstore(ff + t * LANES + o, f);
					x2 = x1;
					x1 = x;
				}
			}
			if (n >= 2) {
				h1 = input(n - 1);
				h2 = input(n - 2);
			} else if (n == 1) {
				h2 = h1;
				h1 = input(0);
			}
			V::fstore(job.state + 0 * LANES + o, h1);
			V::fstore(job.state + 1 * LANES + o, h2);
		}
	}

	// y = ff - ((a1 y1) + (a2 y2)), two frames at a time; each band's (L, R)
	// pairs go to its row of zbuf, times the band's level when bands fade.
	// With FLY, all vectors but the last form their band-pass feed-forward
	// here past the first two frames, b0 x[t] - b0 x[t-2], from the shared
	// inputs carried in registers.
	template <int NV, bool FADE, bool FLY>
	static void recurse(BandBankJob &job)
	{
		// Locals: the vector stores below may alias anything, job included.
		const float *const coef = job.coef;
		const float *const ff = job.ff;
		const float *const xin = job.xin;
		float *const zbuf = job.zbuf;
		float *const state = job.state;
		float *const level = job.level;
		const long n = job.n;

		F a1[NV], a2[NV], y1[NV], y2[NV], lv[NV], ls[NV];
		for (int v = 0; v < NV; ++v) {
			const int o = v * WF;
			a1[v] = V::fload(coef + 3 * LANES + o);
			a2[v] = V::fload(coef + 4 * LANES + o);
			y1[v] = V::fload(state + 2 * LANES + o);
			y2[v] = V::fload(state + 3 * LANES + o);
			if (FADE) {
				lv[v] = V::fload(level + o);
				ls[v] = V::fload(job.level_step + o);
			}
		}

		// The shared inputs of frames t - 2 and t - 1.
		F xm2 = V::fset1(0.0f), xm1 = V::fset1(0.0f);
		auto ff_of = [&](long t, int v, F x0, F x2) {
			if (FLY && v < NV - 1 && t >= 2) {
				const F b0 = V::fload(coef + v * WF);
				return V::fsub(V::fmul(b0, x0), V::fmul(b0, x2));
			}
			return V::fload(ff + t * LANES + v * WF);
		};

		long t = 0;
		for (; t + 1 < n; t += 2) {
			F ya[NV], yb[NV];
			const F xa = FLY ? V::fbroadcast_pair(xin + 2 * t) : xm1;
			const F xb = FLY ? V::fbroadcast_pair(xin + 2 * t + 2) : xm1;
			for (int v = 0; v < NV; ++v)
				ya[v] = V::fsub(ff_of(t, v, xa, xm2), V::fadd(V::fmul(a1[v], y1[v]), V::fmul(a2[v], y2[v])));
			for (int v = 0; v < NV; ++v)
				yb[v] = V::fsub(ff_of(t + 1, v, xb, xm1), V::fadd(V::fmul(a1[v], ya[v]), V::fmul(a2[v], y1[v])));
			xm2 = xa;
			xm1 = xb;
			for (int v = 0; v < NV; ++v) {
				y2[v] = ya[v];
				y1[v] = yb[v];
				float *row = zbuf + (long)(v * WF / 2) * ZS + 2 * t;
				if (FADE) {
					const F sa = V::fmul(ya[v], lv[v]);
					lv[v] = V::fadd(lv[v], ls[v]);
					const F sb = V::fmul(yb[v], lv[v]);
					lv[v] = V::fadd(lv[v], ls[v]);
					V::store_pair_rows(row, ZS, sa, sb);
				} else {
					V::store_pair_rows(row, ZS, ya[v], yb[v]);
				}
			}
		}
		if (t < n) {
			const F xa = FLY ? V::fbroadcast_pair(xin + 2 * t) : xm1;
			for (int v = 0; v < NV; ++v) {
				const F ya = V::fsub(ff_of(t, v, xa, xm2), V::fadd(V::fmul(a1[v], y1[v]), V::fmul(a2[v], y2[v])));
				y2[v] = y1[v];
				y1[v] = ya;
				float *row = zbuf + (long)(v * WF / 2) * ZS + 2 * t;
				if (FADE) {
					V::store_pair_rows1(row, ZS, V::fmul(ya, lv[v]));
					lv[v] = V::fadd(lv[v], ls[v]);
				} else {
					V::store_pair_rows1(row, ZS, ya);
				}
			}
		}
		for (int v = 0; v < NV; ++v) {
			const int o = v * WF;
			V::fstore(state + 2 * LANES + o, y1[v]);
			V::fstore(state + 3 * LANES + o, y2[v]);
			if (FADE)
				V::fstore(level + o, lv[v]);
		}
	}

	template <int NV>
	static void recurse_nv(BandBankJob &job, bool fly)
	{
		if constexpr (NV >= 2) {
			if (fly) {
				if (job.fade)
					recurse<NV, true, true>(job);
				else
					recurse<NV, false, true>(job);
				return;
			}
		}
		if (job.fade)
			recurse<NV, true, false>(job);
		else
			recurse<NV, false, false>(job);
	}

	// The low-pass pair's row of zbuf split into its two outputs.
	static void split_lp(BandBankJob &job)
	{
		const long n = job.n;
		const float *const row = job.zbuf + job.nbr_band * ZS;
		float *const out0 = job.lp_out[0];
		float *const out1 = job.lp_out[1];
		for (long t = 0; t < n; t += WF)
			store_split(V::fload(row + 2 * t), V::fload(row + 2 * t + WF), out0, out1, t, n);
	}

	// WF frames of (L, R) pairs in a and b split into out0[t ...] and
	// out1[t ...] (none when null), cut at n.
	static void store_split(F a, F b, float *out0, float *out1, long t, long n)
	{
		F l, r;
		V::deinterleave(a, b, l, r);
		if (t + WF <= n) {
			V::fstore(out0 + t, l);
			if (out1 != nullptr)
				V::fstore(out1 + t, r);
		} else {
			alignas(32) float tmp[2][WF];
			V::fstore(tmp[0], l);
			V::fstore(tmp[1], r);
			std::memcpy(out0 + t, tmp[0], (size_t)(n - t) * sizeof(float));
			if (out1 != nullptr)
				std::memcpy(out1 + t, tmp[1], (size_t)(n - t) * sizeof(float));
		}
	}

	// Bands summed in ascending order, then the gain; (L, R) pairs split into
	// the two outputs. Four vectors of frames at a time: their sums are
	// independent chains that overlap.
	static void sum_bands(BandBankJob &job)
	{
		// Locals: the vector stores may alias anything, job included.
		const long n = job.n;
		const int nb = job.nbr_band;
		const float *const zbuf = job.zbuf;
		const float *const gain_seq = job.gain_ramp ? job.gain_seq : nullptr;
		float *const out0 = job.out[0];
		float *const out1 = job.stereo ? job.out[1] : nullptr;
		const F g = V::fset1(job.gain);
		constexpr int NA = 4;
		for (long t0 = 0; t0 < n; t0 += NA * WF / 2) {
			// Vector j holds frames t0 + j WF/2 ... as (L, R) pairs; those
			// past n hold sums of stale lanes and are never stored.
			const long p0 = 2 * t0;
			F acc[NA];
			for (int j = 0; j < NA; ++j)
				acc[j] = V::fload(zbuf + p0 + j * WF);
			for (int k = 1; k < nb; ++k) {
				const float *row = zbuf + k * ZS + p0;
				for (int j = 0; j < NA; ++j)
					acc[j] = V::fadd(acc[j], V::fload(row + j * WF));
			}
			for (int j = 0; j < NA; ++j)
				acc[j] = V::fmul(acc[j], gain_seq != nullptr ? V::fload(gain_seq + p0 + j * WF) : g);
			for (int h = 0; h < NA / 2; ++h) {
				const long t = t0 + h * WF;
				if (t >= n)
					break;
				store_split(acc[2 * h], acc[2 * h + 1], out0, out1, t, n);
			}
		}
	}

	static void band_bank(BandBankJob &job)
	{
		const int nbr_vec = (2 * (job.nbr_band + (job.lp ? 1 : 0)) + WF - 1) / WF;
		// The low-pass pair's vector keeps the full feed-forward.
		const int nbr_bp = band_pass_form(job) ? nbr_vec - (job.lp ? 1 : 0) : 0;
		const bool fly = nbr_vec >= 2 && nbr_bp >= nbr_vec - 1;
		if (job.shared_in)
			feed_forward<true>(job, nbr_vec, nbr_bp, fly ? nbr_vec - 1 : 0);
		else
			feed_forward<false>(job, nbr_vec, 0, 0);
		switch (nbr_vec) {
		case 0: return;
		case 1: recurse_nv<1>(job, fly); break;
		case 2: recurse_nv<2>(job, fly); break;
		case 3: recurse_nv<3>(job, fly); break;
		case 4: recurse_nv<4>(job, fly); break;
		case 5: recurse_nv<(WF < 8 ? 5 : 4)>(job, fly); break;
		case 6: recurse_nv<(WF < 8 ? 6 : 4)>(job, fly); break;
		case 7: recurse_nv<(WF < 8 ? 7 : 4)>(job, fly); break;
		default: recurse_nv<(8 * 4) / WF>(job, fly); break;
		}
		sum_bands(job);
		if (job.lp)
			split_lp(job);
	}

	// Two biquads in the low lanes of a 128-bit vector.
	struct LowPassPair
	{
		__m128 b0, b1, b2, a1, a2, x1, x2, y1, y2, off_even, off_odd, off_none;

		static __m128 load2(const float *p)
		{
			return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i_u *>(p)));
		}
		static void store2(float *p, __m128 v)
		{
			_mm_storel_epi64(reinterpret_cast<__m128i_u *>(p), _mm_castps_si128(v));
		}

		explicit LowPassPair(const LowPassPairJob &job)
		{
			b0 = _mm_set1_ps(job.coef[0]);
			b1 = _mm_set1_ps(job.coef[1]);
			b2 = _mm_set1_ps(job.coef[2]);
			a1 = _mm_set1_ps(job.coef[3]);
			a2 = _mm_set1_ps(job.coef[4]);
			x1 = load2(job.state + 0);
			x2 = load2(job.state + 2);
			y1 = load2(job.state + 4);
			y2 = load2(job.state + 6);
			// Offsets for samples where i + parity is even; -0 adds nothing.
			const float on = 1e-20f, off = -0.0f;
			off_even = _mm_setr_ps(job.parity[0] == 0 ? on : off, job.parity[1] == 0 ? on : off, off, off);
			off_odd = _mm_setr_ps(job.parity[0] == 1 ? on : off, job.parity[1] == 1 ? on : off, off, off);
			off_none = _mm_set1_ps(off);
		}

		// Sample i of n from in0[i], in1[i]; returns (left, right, -, -).
		__m128 step(const float *in0, const float *in1, long i, long n)
		{
			const __m128 x = _mm_unpacklo_ps(_mm_load_ss(in0 + i), _mm_load_ss(in1 + i));
			const __m128 o = (i >= n - 1) ? off_none : ((i & 1) ? off_odd : off_even);
			const __m128 f = _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(b0, x), o), _mm_mul_ps(b1, x1)), _mm_mul_ps(b2, x2));
			const __m128 y = _mm_sub_ps(f, _mm_add_ps(_mm_mul_ps(a1, y1), _mm_mul_ps(a2, y2)));
			x2 = x1;
			x1 = x;
			y2 = y1;
			y1 = y;
			return y;
		}

		void save(LowPassPairJob &job) const
		{
			store2(job.state + 0, x1);
			store2(job.state + 2, x2);
			store2(job.state + 4, y1);
			store2(job.state + 6, y2);
		}
	};

	static void low_pass_pair(LowPassPairJob &job)
	{
		LowPassPair lp(job);
		const float *const in0 = job.in[0];
		const float *const in1 = job.in[1];
		float *const out0 = job.out[0];
		float *const out1 = job.out[1];
		const long n = job.n;
		for (long i = 0; i < n; ++i) {
			const __m128 y = lp.step(in0, in1, i, n);
			_mm_store_ss(out0 + i, y);
			_mm_store_ss(out1 + i, _mm_shuffle_ps(y, y, 0x55));
		}
		lp.save(job);
	}

	static void balance(float *dst, const float *src, long n, double g, bool add)
	{
		const D gv = V::dset1(g);
		long i = 0;
		for (; i + WD <= n; i += WD) {
			const D s = V::dmul(gv, V::dload_f(src + i));
			V::dstore_f(dst + i, add ? V::dadd(V::dload_f(dst + i), s) : s);
		}
		for (; i < n; ++i) {
			const double s = g * (double)src[i];
			dst[i] = add ? (float)((double)dst[i] + s) : (float)s;
		}
	}

	// Lanes whose value z, known to within tol, rounds to one float for sure.
	static int decided(D z, D tol) { return V::same_float_mask(V::dsub(z, tol), V::dadd(z, tol)); }

	static D dabs(D v) { return V::dandnot(V::dset1(-0.0), v); }

	static void disto_float(float *dst, const float *src, long n, float f, bool mix)
	{
		if (mix)
			disto_float_t<true>(dst, src, n, f);
		else
			disto_float_t<false>(dst, src, n, f);
	}

	template <bool MIX>
	static void disto_float_t(float *dst, const float *src, long n, float f)
	{
		constexpr int FULL = (1 << WD) - 1;
		// Below 2^-100 (and not zero) the result leaves the range where the
		// midpoint test holds: those lanes go to the library.
		constexpr int32_t TINY_BITS = 0x0D800000; // 2^-100
		// The result is within 2^-47 of its size, under 64 of its ulps.
		constexpr int32_t ULPS = 64;
		const F fv = V::fset1(f);
		const D c = V::dset1(TWO_OVER_PI);
		const D rel_y = V::dset1(0x1p-47);
		const D rel_z = V::dset1(0x1p-51);
		long i = 0;
		for (; i + WF <= n; i += WF) {
			alignas(32) float xs[WF];
			const F x = V::fmul(fv, V::fload(src + i));
			V::fstore(xs, x);
			D z[2];
			int undecided = MIX ? 0 : ((1 << WF) - 1) & ~V::fabs_bits_outside(x, 1, TINY_BITS - 1);
			for (int h = 0; h < 2; ++h) {
				D ok;
				const D y = V::dmul(AtanVec<V>::eval(h == 0 ? V::dcvt_lo(x) : V::dcvt_hi(x), ok), c);
				int bad;
				if constexpr (MIX) {
					z[h] = V::dadd(V::dload_f(dst + i + h * WD), y);
					const D tol = V::dadd(V::dmul(dabs(y), rel_y), V::dmul(dabs(z[h]), rel_z));
					bad = FULL & ~(decided(z[h], tol) & V::dmovemask(ok));
				} else {
					z[h] = y;
					bad = V::dnear_float_midpoint(y, ULPS) | (FULL & ~V::dmovemask(ok));
				}
				undecided |= bad << (h * WD);
			}
			const float *old = dst + i;
			alignas(32) float keep[WF];
			if (undecided != 0 && MIX)
				std::memcpy(keep, old, sizeof(keep));
			V::fstore(dst + i, V::fpack(z[0], z[1]));
			while (undecided != 0) {
				const int j = __builtin_ctz((unsigned)undecided);
				undecided &= undecided - 1;
				const double y = std::atan((double)xs[j]) * TWO_OVER_PI;
				dst[i + j] = MIX ? (float)((double)keep[j] + y) : (float)y;
			}
		}
		for (; i < n; ++i) {
			const float x = f * src[i];
			const double y = std::atan((double)x) * TWO_OVER_PI;
			dst[i] = MIX ? (float)((double)dst[i] + y) : (float)y;
		}
	}

	static void disto_double_mix(float *const *dst, const float *src, long n, double f, int nbr_dst)
	{
		constexpr int FULL = (1 << WD) - 1;
		const D fv = V::dset1(f);
		const D c = V::dset1(TWO_OVER_PI);
		const D rel_y = V::dset1(0x1p-47);
		const D rel_z = V::dset1(0x1p-51);
		long i = 0;
		for (; i + WD <= n; i += WD) {
			const D x = V::dmul(fv, V::dload_f(src + i));
			D ok;
			const D y = V::dmul(AtanVec<V>::eval(x, ok), c);
			const D tol_y = V::dmul(dabs(y), rel_y);
			const int bad_atan = FULL & ~V::dmovemask(ok);
			alignas(32) double xs[WD];
			for (int ch = 0; ch < nbr_dst; ++ch) {
				float *d = dst[ch] + i;
				const D z = V::dadd(V::dload_f(d), y);
				const D tol = V::dadd(tol_y, V::dmul(dabs(z), rel_z));
				int undecided = (FULL & ~decided(z, tol)) | bad_atan;
				alignas(32) float keep[WD];
				if (undecided != 0) {
					std::memcpy(keep, d, sizeof(keep));
					V::dstore(xs, x);
				}
				V::dstore_f(d, z);
				while (undecided != 0) {
					const int j = __builtin_ctz((unsigned)undecided);
					undecided &= undecided - 1;
					const double yj = std::atan(xs[j]) * TWO_OVER_PI;
					d[j] = (float)((double)keep[j] + yj);
				}
			}
		}
		for (; i < n; ++i) {
			const double y = std::atan(f * (double)src[i]) * TWO_OVER_PI;
			for (int ch = 0; ch < nbr_dst; ++ch)
				dst[ch][i] = (float)((double)dst[ch][i] + y);
		}
	}

	static void atan_block(const double *x, double *y, long n)
	{
		constexpr int FULL = (1 << WD) - 1;
		long i = 0;
		for (; i + WD <= n; i += WD) {
			D ok;
			V::dstore(y + i, AtanVec<V>::eval(V::dload(x + i), ok));
			int bad = FULL & ~V::dmovemask(ok);
			while (bad != 0) {
				const int j = __builtin_ctz((unsigned)bad);
				bad &= bad - 1;
				y[i + j] = std::atan(x[i + j]);
			}
		}
		for (; i < n; ++i)
			y[i] = std::atan(x[i]);
	}

	static FastKernels table()
	{
		return FastKernels{&band_bank, &low_pass_pair, &balance, &disto_float, &disto_double_mix, &atan_block};
	}
};
