// A function tabulated as cubic Hermite segments of unit width over the
// integer range [LO, HI), constant beyond it on each side. The two sides are
// stored separately: no symmetry is assumed.
//
// F names the function: it provides `static double eval(double x)`. The table
// is shared by all objects of one instantiation and filled once per process,
// the first time an object is constructed (thread-safe); it is then only read.
#pragma once

#include <atomic>
#include <cmath>
#include <mutex>

namespace dsp
{

template <int LO, int HI, class F>
class InterpFncFiniteAsym
{
	static_assert(LO < HI, "empty range");

public:
	static constexpr int NBR_SEG = HI - LO;

	InterpFncFiniteAsym() { init_coef(); }

	static void init_coef()
	{
		static std::once_flag once;
		std::call_once(once, fill);
	}

	static bool is_init() { return coef_init_flag.load(std::memory_order_acquire); }

	// y(x): the value below range for x <= LO; the cubic of segment
	// floor(x) - LO inside; the value above range for x >= HI and for NaN.
	static float eval(float x)
	{
		if (x <= (float)LO)
			return val_minus_inf;
		if (x < (float)HI) {
			const int i = (int)std::floor(x) - LO;
			const float *c = coef[i];
			return c[0] + (x * (x * c[3] + c[2]) + c[1]) * x;
		}
		return val_plus_inf;
	}

	// Segment i covers [LO + i, LO + i + 1); y = c0 + c1 x + c2 x^2 + c3 x^3
	// in absolute x.
	static float coef[NBR_SEG][4];
	static float val_minus_inf;
	static float val_plus_inf;
	static std::atomic<bool> coef_init_flag;

private:
	static void fill()
	{
		// Values and central-difference slopes at the integer points.
		constexpr double h = 1.0 / 2048.0;
		double val[NBR_SEG + 1];
		double slope[NBR_SEG + 1];
		for (int j = 0; j <= NBR_SEG; ++j) {
			const double k = (double)(LO + j);
			val[j] = F::eval(k);
			slope[j] = (F::eval(k + h) - F::eval(k - h)) * 1024.0;
		}
		val_minus_inf = (float)val[0];
		val_plus_inf = (float)val[NBR_SEG];

		// Hermite segment a t^3 + b t^2 + Sa t + Fa, t = x - p, expanded in x.
		for (int i = 0; i < NBR_SEG; ++i) {
			const double p = (double)(LO + i);
			const double fa = val[i];
			const double fb = val[i + 1];
			const double sa = slope[i];
			const double sb = slope[i + 1];
			const double delta = fb - fa;
			const double a = (sb + sa) - 2.0 * delta;
			const double b = ((3.0 * delta) - sb) - 2.0 * sa;
			coef[i][0] = (float)((((-a * p + b) * p) - sa) * p + fa);
			coef[i][1] = (float)(((3.0 * a * p) - 2.0 * b) * p + sa);
			coef[i][2] = (float)((-3.0 * a * p) + b);
			coef[i][3] = (float)a;
		}
		coef_init_flag.store(true, std::memory_order_release);
	}
};

template <int LO, int HI, class F>
float InterpFncFiniteAsym<LO, HI, F>::coef[InterpFncFiniteAsym<LO, HI, F>::NBR_SEG][4];
template <int LO, int HI, class F>
float InterpFncFiniteAsym<LO, HI, F>::val_minus_inf = 0.0f;
template <int LO, int HI, class F>
float InterpFncFiniteAsym<LO, HI, F>::val_plus_inf = 0.0f;
template <int LO, int HI, class F>
std::atomic<bool> InterpFncFiniteAsym<LO, HI, F>::coef_init_flag{false};

} // namespace dsp
