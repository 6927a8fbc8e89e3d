// Double-precision arctangent on the lanes of a vector, without fused
// multiply-adds, accurate to about 2^-70 before its final rounding (so it
// gives the correctly rounded result but for arguments within 2^-18 ulp of a
// rounding boundary, where it is one ulp off at most).
//
// |x| is reduced to u = |x| or u = 1/|x| in [0, 1], then to the nearest
// c = i/64:  atan(u) = atan(c) + atan(t),  t = (u - c) / (1 + u c),  |t| < 0.0081,
// with u c and t carried exactly or as double-double sums (Dekker's splits),
// the table values as hi + lo pairs and a degree-9 odd polynomial for atan(t).
// For |x| > 1,  atan(|x|) = pi/2 - atan(c) - atan(t),  t = (1 - |x| c) / (|x| + c).
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

	// s + e == a + b exactly.
	static void two_sum(D a, D b, D &s, D &e)
	{
		s = V::dadd(a, b);
		const D bb = V::dsub(s, a);
		e = V::dadd(V::dsub(a, V::dsub(s, bb)), V::dsub(b, bb));
	}

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

		// c = i/64 near u (u = 1/a for big lanes, from a float reciprocal).
		const D u = V::dblend(a, V::drcp_approx(a), big);
		const D magic = V::dset1(0x1.8p52);
		const D i = V::dsub(V::dadd(V::dmul(u, V::dset1(64.0)), magic), magic);
		const D c = V::dmul(i, V::dset1(1.0 / 64.0));
		// Lanes that are not ok (NaN) look up entry 0.
		const D idx = V::dand(V::dadd(i, V::dand(big, V::dset1(65.0))), ok);
		const D k_hi = V::dlookup(::dsp::ATAN_TABLE_HI, idx);
		const D k_lo = V::dlookup(::dsp::ATAN_TABLE_LO, idx);

		// a c = p1 + p2 exactly (c has at most 7 significant bits).
		D a_hi, a_lo;
		split(a, a_hi, a_lo);
		const D p1 = V::dmul(a_hi, c);
		const D p2 = V::dmul(a_lo, c);
		const D neg_big = V::dand(big, sign_bit);

		// 1 + a c (small lanes) or 1 - a c (big lanes) as s1 + r1.
		D s1, e1;
		two_sum(one, V::dxor(p1, neg_big), s1, e1);
		const D r1 = V::dadd(e1, V::dxor(p2, neg_big));
		// a - c (exact, small lanes) or a + c (big lanes) as s2 + e2.
		D s2, e2;
		two_sum(a, V::dxor(c, V::dxor(neg_big, sign_bit)), s2, e2);

		const D n_hi = V::dblend(s2, s1, big);
		const D n_lo = V::dblend(e2, r1, big);
		const D d_hi = V::dblend(s1, s2, big);
		const D d_lo = V::dblend(r1, e2, big);

		// t = t_hi + t_lo = n / d: the remainder n - t_hi d_hi is exact.
		const D inv = V::ddiv(one, d_hi);
		const D t_hi = V::dmul(n_hi, inv);
		D th_h, th_l, dh_h, dh_l;
		split(t_hi, th_h, th_l);
		split(d_hi, dh_h, dh_l);
		const D prod = V::dmul(t_hi, d_hi);
		const D prod_err = V::dadd(V::dadd(V::dadd(V::dsub(V::dmul(th_h, dh_h), prod), V::dmul(th_h, dh_l)),
		                                   V::dmul(th_l, dh_h)),
		                           V::dmul(th_l, dh_l));
		const D rem = V::dsub(V::dadd(V::dsub(V::dsub(n_hi, prod), prod_err), n_lo), V::dmul(t_hi, d_lo));
		const D t_lo = V::dmul(rem, inv);

		// atan(t) - t = t^3 (-1/3 + t^2 (1/5 + t^2 (-1/7 + t^2 / 9))).
		const D t2 = V::dmul(t_hi, t_hi);
		D q = V::dadd(V::dmul(V::dset1(1.0 / 9.0), t2), V::dset1(-1.0 / 7.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(1.0 / 5.0));
		q = V::dadd(V::dmul(q, t2), V::dset1(-1.0 / 3.0));
		const D poly = V::dmul(V::dmul(t_hi, t2), q);

		// K + s (t_hi + t_lo + poly), s = -1 on big lanes.
		D sum, err;
		two_sum(k_hi, V::dxor(t_hi, neg_big), sum, err);
		const D tail = V::dadd(k_lo, V::dxor(V::dadd(t_lo, poly), neg_big));
		const D r = V::dadd(sum, V::dadd(err, tail));
		return V::dor(r, sign);
	}
};
