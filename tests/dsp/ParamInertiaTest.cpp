#include "dsp/ParamInertia.h"

#include <gtest/gtest.h>

namespace
{

TEST(ParamInertia, ZeroTimeJumpsAtOnce)
{
	dsp::ParamInertia pi;
	pi.inertia_time = 0.0f;
	pi.set_val(3.5f);
	EXPECT_EQ(pi.val_cur, 3.5);
	EXPECT_EQ(pi.val_start, 3.5f);
	EXPECT_EQ(pi.val_target, 3.5f);
	EXPECT_FALSE(pi.is_moving());
}

TEST(ParamInertia, GlideOfATenthOfASecondArrivesAtThe69thTick)
{
	dsp::ParamInertia pi;
	pi.set_val(1000.0f); // from 0
	EXPECT_EQ(pi.step, (1000.0 - 0.0) / (44100.0 * (double)0.1f));
	int ticks = 0;
	while (pi.is_moving()) {
		pi.tick(64);
		++ticks;
		if (pi.is_moving()) {
			EXPECT_LT(pi.val_cur, 1000.0);
		}
	}
	EXPECT_EQ(ticks, 69);
	EXPECT_EQ(pi.val_cur, 1000.0);
	EXPECT_EQ(pi.val_start, 1000.0f);
}

TEST(ParamInertia, GlidesDownwardAndTakesTheSameTime)
{
	dsp::ParamInertia pi;
	pi.inertia_time = 0.0f;
	pi.set_val(5.0f);
	pi.inertia_time = 0.1f;
	pi.set_val(1.0f);
	EXPECT_LT(pi.step, 0.0);
	int ticks = 0;
	while (pi.is_moving()) {
		pi.tick(64);
		++ticks;
	}
	EXPECT_EQ(ticks, 69);
	EXPECT_EQ(pi.val_cur, 1.0);
}

TEST(ParamInertia, StartIsTheCurrentValueRoundedToFloat)
{
	dsp::ParamInertia pi;
	pi.set_val(1.0f);
	pi.tick(7); // val_cur not representable as float
	const double cur = pi.val_cur;
	pi.set_val(2.0f);
	EXPECT_EQ(pi.val_start, (float)cur);
	EXPECT_EQ(pi.step, (2.0 - (double)(float)cur) / (44100.0 * (double)0.1f));
}

TEST(ParamInertia, SampleRateChangeMidGlideKeepsTheDurationInSeconds)
{
	dsp::ParamInertia pi;
	pi.set_val(100.0f);
	pi.tick(64);
	const double step = pi.step;
	pi.set_sample_freq(88200.0f);
	EXPECT_EQ(pi.step, step * 44100.0 / 88200.0);
	EXPECT_EQ(pi.sample_freq, 88200.0f);
	// Remaining 4410 - 64 samples at 44100 become twice as many at 88200.
	int ticks = 0;
	while (pi.is_moving()) {
		pi.tick(64);
		++ticks;
	}
	EXPECT_EQ(ticks, (2 * (4410 - 64) + 63) / 64);
}

TEST(ParamInertia, SettingTheCurrentValueDoesNotMove)
{
	dsp::ParamInertia pi;
	pi.set_val(0.0f);
	EXPECT_FALSE(pi.is_moving());
	pi.tick(64);
	EXPECT_EQ(pi.val_cur, 0.0);
}

} // namespace
