#include "dsp/InterpFncFiniteAsym.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace
{

// The saturating curve (2/pi) atan((pi/2) x).
struct AtanCurve
{
	static double eval(double x) { return std::atan(1.5707963267948966 * x) * 0.6366197723675814; }
};

// A second instantiation that counts its evaluations.
struct CountingCurve
{
	static inline std::atomic<int> calls{0};
	static double eval(double x)
	{
		++calls;
		return x;
	}
};

using Table = dsp::InterpFncFiniteAsym<-32, 32, AtanCurve>;

void expect_row(int seg, float c0, float c1, float c2, float c3)
{
	EXPECT_EQ(Table::coef[seg][0], c0) << "segment " << seg;
	EXPECT_EQ(Table::coef[seg][1], c1) << "segment " << seg;
	EXPECT_EQ(Table::coef[seg][2], c2) << "segment " << seg;
	EXPECT_EQ(Table::coef[seg][3], c3) << "segment " << seg;
}

TEST(InterpFncFiniteAsym, TellingRowsOfTheDistortionTable)
{
	Table tbl;
	ASSERT_TRUE(Table::is_init());
	expect_row(0, -0.9485573f, 0.0024492294f, 5.182932e-05f, 4.1128794e-07f);
	expect_row(32, 0.0f, 0.99999982f, -0.37112129f, 0.01021442f);
	expect_row(33, 0.12509444f, 0.79055554f, -0.32751608f, 0.050959043f);
	expect_row(63, 0.9485573f, 0.0024492294f, -5.182932e-05f, 4.1128794e-07f);
	EXPECT_EQ(Table::val_minus_inf, -0.9873365f);
	EXPECT_EQ(Table::val_plus_inf, 0.9873365f);
}

TEST(InterpFncFiniteAsym, TellingValuesOfTheCurve)
{
	Table tbl;
	EXPECT_EQ(Table::eval(0.0f), 0.0f);
	EXPECT_FLOAT_EQ(Table::eval(1.0f), 0.6390929f);
	EXPECT_FLOAT_EQ(Table::eval(0.5f), 0.4084964f);
	EXPECT_EQ(Table::eval(-32.0f), -0.9873365f);
	EXPECT_EQ(Table::eval(-1000.0f), -0.9873365f);
	EXPECT_EQ(Table::eval(32.0f), 0.9873365f);
	EXPECT_EQ(Table::eval(1e6f), 0.9873365f);
	EXPECT_EQ(Table::eval(std::nanf("")), 0.9873365f);
	EXPECT_EQ(Table::eval(-INFINITY), -0.9873365f);
}

TEST(InterpFncFiniteAsym, SegmentsMeetTheCurveAtTheIntegers)
{
	Table tbl;
	for (int k = -31; k < 32; ++k)
		EXPECT_NEAR(Table::eval((float)k), AtanCurve::eval(k), 2e-7) << k;
	// Just below an integer the lower segment is used, and it joins on.
	for (int k = -31; k < 32; ++k)
		EXPECT_NEAR(Table::eval(std::nextafter((float)k, -100.0f)), AtanCurve::eval(k), 1e-5) << k;
}

TEST(InterpFncFiniteAsym, CurveIsOddAlthoughStoredBySide)
{
	Table tbl;
	// Mirrored segments hold negated coefficients, so the odd symmetry is
	// exact inside segments; at an integer x the two sides are evaluated on
	// segments that are not mirrors of each other (each at its left end).
	for (float x = 0.0625f; x < 33.0f; x += 0.125f)
		EXPECT_EQ(Table::eval(-x), -Table::eval(x)) << x;
	for (int k = 1; k < 32; ++k)
		EXPECT_NEAR(Table::eval((float)-k), -Table::eval((float)k), 1e-6f) << k;
	// A value just below zero takes segment 31, not 32.
	EXPECT_EQ(Table::eval(-1e-9f), -Table::eval(1e-9f));
}

TEST(InterpFncFiniteAsym, TableIsFilledOncePerProcessEvenFromManyThreads)
{
	using Counting = dsp::InterpFncFiniteAsym<-2, 2, CountingCurve>;
	std::vector<std::thread> threads;
	for (int i = 0; i < 4; ++i)
		threads.emplace_back([] { Counting c; });
	for (auto &t : threads)
		t.join();
	const int calls = CountingCurve::calls;
	EXPECT_EQ(calls, 5 * 3);
	Counting again;
	EXPECT_EQ(CountingCurve::calls, calls);
	// The identity is reproduced exactly by its cubic segments.
	EXPECT_EQ(Counting::eval(1.5f), 1.5f);
	EXPECT_EQ(Counting::eval(-3.0f), -2.0f);
}

} // namespace
