#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "plegg/TimeUnit.h"

using plegg::TimeUnit;

namespace
{

std::string print(const TimeUnit &tu, double s, int max_len = 10)
{
	char buf[80];
	tu.print_time(buf, s, max_len);
	return buf;
}

TimeUnit beats()
{
	TimeUnit tu;
	tu.set_unit(TimeUnit::UNIT_BEATS);
	tu.set_tempo(120);
	return tu;
}

} // namespace

TEST(TimeUnit, DefaultsAreMillisecondsAt120)
{
	TimeUnit tu;
	EXPECT_EQ(tu.get_unit(), TimeUnit::UNIT_MS);
	EXPECT_STREQ(tu.get_unit_txt_0(), "ms");
	EXPECT_DOUBLE_EQ(tu.get_tempo(), 120);
	EXPECT_DOUBLE_EQ(tu.convert_time(0.25), 250);
}

TEST(TimeUnit, BeatsPrintAsWholesAndSimpleFractions)
{
	const TimeUnit tu = beats();
	EXPECT_EQ(print(tu, 0.75), "1 1/2");
	EXPECT_EQ(print(tu, 0.5), "1");
	EXPECT_EQ(print(tu, 0.25), "1/2");
	EXPECT_EQ(print(tu, 0.0), "0");
	EXPECT_EQ(print(tu, 0.125), "1/4");
	EXPECT_EQ(print(tu, 1.0 / 6), "1/3");
}

TEST(TimeUnit, FractionRoundingUpGivesTheNextWhole)
{
	// 0.999 beat: the best fraction is 2/2.
	const TimeUnit tu = beats();
	EXPECT_EQ(print(tu, 0.999 * 0.5), "1");
}

TEST(TimeUnit, TextIsCutToMaxLen)
{
	const TimeUnit tu = beats();
	const std::string s = print(tu, 12.3456, 3);
	EXPECT_LE(s.size(), 3u);
	// The longest texts and values no whole number holds.
	EXPECT_EQ(print(tu, 0.75, 63), "1 1/2");
	EXPECT_EQ(print(tu, 1e300, 63), "2e+300");
	EXPECT_EQ(print(tu, NAN, 63), "nan");
}

TEST(TimeUnit, SecondsAndMillisecondsUseTheCLocale)
{
	const char *old = std::setlocale(LC_NUMERIC, nullptr);
	const std::string saved = old != nullptr ? old : "C";
	std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
	TimeUnit tu;
	tu.set_unit(TimeUnit::UNIT_S);
	EXPECT_EQ(print(tu, 1.5, 20), "1.5");
	bool ok = false;
	EXPECT_DOUBLE_EQ(tu.scan_time("2.5 s", ok), 2.5);
	EXPECT_TRUE(ok);
	std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TimeUnit, ScanningPicksTheUnitFromTheText)
{
	TimeUnit tu = beats();
	bool ok = false;
	EXPECT_DOUBLE_EQ(tu.scan_time("250 ms", ok), 0.25);
	EXPECT_TRUE(ok);
	EXPECT_DOUBLE_EQ(tu.scan_time("3/4", ok), 0.375);
	EXPECT_TRUE(ok);
	EXPECT_DOUBLE_EQ(tu.scan_time("1 3/4", ok), 0.875);
	EXPECT_TRUE(ok);
	EXPECT_DOUBLE_EQ(tu.scan_time("1/3/4", ok), 0.875);
	EXPECT_TRUE(ok);
	// "beats" holds an s: read as seconds.
	EXPECT_DOUBLE_EQ(tu.scan_time("2 beats", ok), 2.0);
	EXPECT_TRUE(ok);
	EXPECT_EQ(tu.get_unit(), TimeUnit::UNIT_BEATS);
}

TEST(TimeUnit, ScanningRefusesBadTexts)
{
	TimeUnit tu = beats();
	bool ok = true;
	tu.scan_time("-1", ok);
	EXPECT_FALSE(ok);
	tu.scan_time("-3 ms", ok);
	EXPECT_FALSE(ok);
	tu.scan_time("1/0", ok);
	EXPECT_FALSE(ok);
	tu.scan_time("abc", ok);
	EXPECT_FALSE(ok);
	tu.scan_time("", ok);
	EXPECT_FALSE(ok);
	tu.scan_time("nan", ok);
	EXPECT_FALSE(ok);
}
