// Double-precision arctangent on the lanes of a vector, without fused
// multiply-adds, within one ulp of the correctly rounded value (the error
// before the final rounding is a small fraction of an ulp).
//
// With a = |x| and c = a cut to 5 mantissa bits (c = 0 below 2^-27):
//   atan(a) = atan(c) + atan(t),  t = (a - c) / (1 + a c),  |t| < 2^-6,
// where a - c is exact and atan(c) comes from a table of hi + lo pairs
// indexed by the bits of a; t's own rounding weighs at most 2^-5 of the
// result. atan(t) - t is a degree-7 odd Taylor polynomial.
//
// Lanes with a NaN or |x| >= 2^17 are not handled: `ok` clears them and the
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

	static D eval(D x, D &ok)
	{
		const D sign_bit = V::dset1(-0.0);
		const D sign = V::dand(x, sign_bit);
		const D a = V::dandnot(sign_bit, x);
		ok = V::dcmplt(a, V::dset1(0x1p17));
		const D in_table = V::dand(ok, V::dcmple(V::dset1(0x1p-27), a));

		// Sign, exponent and 5 mantissa bits; 0 below the table.
		const D c = V::dand(V::dand(a, V::dbits_mask(0xFFFF800000000000ull)), in_table);
		constexpr long long base = ((long long)(1023 + ::dsp::ATAN_TABLE_EXP_MIN) << ::dsp::ATAN_TABLE_MANT_BITS) - 1;
		D k_hi, k_lo;
		V::template dlookup_pair_bits<52 - ::dsp::ATAN_TABLE_MANT_BITS>(::dsp::ATAN_TABLE, a, base, in_table, k_hi, k_lo);

		const D t = V::ddiv(V::dsub(a, c), V::dadd(V::dset1(1.0), V::dmul(a, c)));

		// atan(t) - t = t^3 (-1/3 + t^2/5 - t^4/7), the inner polynomial
		// in Estrin's scheme (a short chain). The next term, t^9/9, is below
		// 2^-51 t, and t is at most 2^-5.6 of the result: the cut weighs
		// under 2^-56 of the result.
		const D t2 = V::dmul(t, t);
		const D t4 = V::dmul(t2, t2);
		const D q01 = V::dadd(V::dset1(-1.0 / 3.0), V::dmul(V::dset1(1.0 / 5.0), t2));
		const D q = V::dadd(q01, V::dmul(V::dset1(-1.0 / 7.0), t4));
		const D poly = V::dmul(V::dmul(t, t2), q);

		// The small parts first.
		const D tail = V::dadd(k_lo, V::dadd(t, poly));
		return V::dor(V::dadd(k_hi, tail), sign);
	}
};
