// Double-precision arctangent on the lanes of a vector, without fused
// multiply-adds, within one ulp of the correctly rounded value (the error
// before the final rounding stays below 0.4 ulp).
//
// |x| is reduced to u = |x| or u = 1/|x| in [0, 1], then to c = i/64 near u
// (c = 0 when u < 3/128, so that atan(c) always outweighs atan(t) three
// times over and the rounding of t stays small beside the result):
//   atan(u) = atan(c) + atan(t),  t = (u - c) / (1 + u c),  |t| < 0.0235.
// For |x| > 1,  atan(|x|) = pi/2 - atan(c) - atan(t),  t = (1 - |x| c) / (|x| + c).
// |x| c is formed exactly (c has at most 7 significant bits), so 1 - |x| c
// loses nothing to cancellation; atan(c) comes from a table of hi + lo
// pairs; atan(t) - t is a degree-13 odd Taylor polynomial.
//
// Lanes with a NaN or |x| > 2^500 are not handled: `ok` clears them and the
// caller computes those with std::atan.
//
// Template over the vector type (VecSse2, VecAvx2). A fragment: the unit
// that compiles it for an instruction set includes dsp/AtanTable.h and the
// vector header first, then this file inside a namespace of its own, so that
// each instruction set gets its own copy.

template <class V>
struct AtanVec
{
	using D = typename V::D;

	// hi + lo == a, each with at most 26 significant bits.
	static void split(D a, D &hi, D &lo)
	{
		const D s = V::dmul(a, V::dset1(134217729.0)); // 2^27 + 1
		hi = V::dsub(s, V::dsub(s, a));
		lo = V::dsub(a, hi);
	}

	static D eval(D x, D &ok)
	{
		const D sign_bit = V::dset1(-0.0);
		const D sign = V::dand(x, sign_bit);
		const D a = V::dandnot(sign_bit, x);
		ok = V::dcmple(a, V::dset1(0x1p500));
		const D one = V::dset1(1.0);
		const D big = V::dcmpgt(a, one);
		const D neg_big = V::dand(big, sign_bit);

		// c = i/64 near u (u = 1/a for big lanes, from a float reciprocal).
		const D u = V::dblend(a, V::drcp_approx(a), big);
		const D magic = V::dset1(0x1.8p52);
		D i = V::dsub(V::dadd(V::dmul(u, V::dset1(64.0)), magic), magic);
		i = V::dand(i, V::dcmple(V::dset1(2.0), i)); // i = 1 becomes 0
		const D c = V::dmul(i, V::dset1(1.0 / 64.0));
		// Lanes that are not ok (NaN) look up entry 0.
		const D idx = V::dand(V::dadd(i, V::dand(big, V::dset1(65.0))), ok);
		const D k_hi = V::dlookup(::dsp::ATAN_TABLE_HI, idx);
		const D k_lo = V::dlookup(::dsp::ATAN_TABLE_LO, idx);

		// a c = p1 + p2 exactly.
		D a_hi, a_lo;
		split(a, a_hi, a_lo);
		const D p1 = V::dmul(a_hi, c);
		const D p2 = V::dmul(a_lo, c);
		// 1 + a c (small lanes) or 1 - a c (big lanes, 1 - p1 exact).
		const D w = V::dadd(V::dadd(one, V::dxor(p1, neg_big)), V::dxor(p2, neg_big));
		// a - c (exact, small lanes) or a + c (big lanes).
		const D v = V::dadd(a, V::dxor(c, V::dxor(neg_big, sign_bit)));
		const D t = V::ddiv(V::dblend(v, w, big), V::dblend(w, v, big));

		// atan(t) - t = t^3 (-1/3 + t^2 (1/5 - ... + t^10 / 13)).
		const D t2 = V::dmul(t, t);
		D q = V::dadd(V::dmul(V::dset1(1.0 / 13.0), t2), V::dset1(-1.0 / 11.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(1.0 / 9.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(-1.0 / 7.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(1.0 / 5.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(-1.0 / 3.0));
		const D poly = V::dmul(V::dmul(t, t2), q);

		// K + s (t + poly), s = -1 on big lanes; the small parts first.
		const D tail = V::dadd(k_lo, V::dxor(V::dadd(t, poly), neg_big));
		return V::dor(V::dadd(k_hi, tail), sign);
	}
};
