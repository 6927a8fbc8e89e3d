// Parameters and programs as a host drives them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

class PluginParams : public ::testing::Test
{
protected:
	void SetUp() override { fx = host.open(); ASSERT_NE(fx, nullptr); }
	void TearDown() override { host.close(fx); }
	std::string display(int i) { return PluginHarness::text(fx, effGetParamDisplay, i); }
	bool scan(int i, const char *t) { return PluginHarness::dispatch(fx, effString2Parameter, i, 0, const_cast<char *>(t)) != 0; }
	PluginHarness host;
	AEffect *fx = nullptr;
};

TEST_F(PluginParams, NamesUnitsAndDefaultTexts)
{
	const char *names[] = {"Cutoff Freq", "Resonance", "Nbr Bands", "Dist Gain", "Dist Routing", "Band Spacing", "Evolution", "Tone"};
	const char *units[] = {"Hz", "", "", "", "", "", "ms", ""};
	const char *texts[] = {"1000", "1.000", "1", "1.000", "Post", "2.000", "0.000", "0.500"};
	for (int i = 0; i < 8; ++i)
	{
		EXPECT_EQ(PluginHarness::text(fx, effGetParamName, i), names[i]);
		EXPECT_EQ(PluginHarness::text(fx, effGetParamLabel, i), units[i]);
		EXPECT_EQ(display(i), texts[i]) << names[i];
	}
	EXPECT_NEAR(fx->getParameter(fx, 0), 0.580482f, 1e-6);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 6), 0.5f);
}

TEST_F(PluginParams, BadIndexesAreIgnored)
{
	EXPECT_EQ(fx->getParameter(fx, 8), 0.0f);
	EXPECT_EQ(fx->getParameter(fx, -1), 0.0f);
	fx->setParameter(fx, -1, 0.3f);
	fx->setParameter(fx, 8, 0.3f);
	char buf[32] = "untouched";
	PluginHarness::dispatch(fx, effGetParamName, 8, 0, buf);
	PluginHarness::dispatch(fx, effGetParamName, -3, 0, buf);
	EXPECT_STREQ(buf, "untouched");
	EXPECT_EQ(PluginHarness::dispatch(fx, effCanBeAutomated, 8), 1);
	VstParameterProperties p;
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetParameterProperties, 8, 0, &p), 0);
}

TEST_F(PluginParams, ValuesAreClampedAndNaNIgnored)
{
	fx->setParameter(fx, 7, 0.25f);
	fx->setParameter(fx, 7, std::numeric_limits<float>::quiet_NaN());
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.25f);
	fx->setParameter(fx, 7, 7.0f);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 1.0f);
	fx->setParameter(fx, 7, -std::numeric_limits<float>::infinity());
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.0f);
}

TEST_F(PluginParams, TypedTextsSetValues)
{
	EXPECT_TRUE(scan(0, "640 Hz"));
	EXPECT_EQ(display(0), "640.0");
	EXPECT_TRUE(scan(1, "200"));
	EXPECT_EQ(display(1), "100.0");
	EXPECT_TRUE(scan(4, "pre"));
	EXPECT_EQ(display(4), "Pre");
	EXPECT_TRUE(scan(2, "9"));
	EXPECT_EQ(display(2), "9");
	EXPECT_TRUE(scan(6, "-50"));
	EXPECT_EQ(display(6), "-50.0");
	const float before = fx->getParameter(fx, 3);
	EXPECT_FALSE(scan(3, "abc"));
	EXPECT_FALSE(scan(3, "nan"));
	EXPECT_FALSE(scan(3, "inf"));
	EXPECT_FALSE(scan(3, std::string(5000, '9').c_str()));
	EXPECT_EQ(fx->getParameter(fx, 3), before);
	// A null text asks whether conversion is supported.
	EXPECT_EQ(PluginHarness::dispatch(fx, effString2Parameter, 3, 0, nullptr), 1);
	EXPECT_EQ(fx->getParameter(fx, 3), before);
}

TEST_F(PluginParams, PropertiesDescribeRangesAndSteps)
{
	VstParameterProperties p;
	std::memset(&p, 0x33, sizeof(p));
	ASSERT_EQ(PluginHarness::dispatch(fx, effGetParameterProperties, 2, 0, &p), 1);
	EXPECT_STREQ(p.label, "Nbr Bands");
	EXPECT_STREQ(p.shortLabel, "Nbr Ban");
	EXPECT_EQ(p.flags, kVstParameterUsesIntegerMinMax);
	EXPECT_EQ(p.minInteger, 1);
	EXPECT_EQ(p.maxInteger, 16);
	for (char c : p.future)
		EXPECT_EQ(c, 0x33);
	ASSERT_EQ(PluginHarness::dispatch(fx, effGetParameterProperties, 4, 0, &p), 1);
	EXPECT_EQ(p.flags, kVstParameterIsSwitch);
	ASSERT_EQ(PluginHarness::dispatch(fx, effGetParameterProperties, 0, 0, &p), 1);
	EXPECT_EQ(p.flags, kVstParameterCanRamp);
}

TEST_F(PluginParams, AutomationLimitOffersWholeGroups)
{
	// Every parameter is in group 2: a host offering fewer than 8 slots keeps
	// the limit where it was, so all stay automatable.
	PluginHarness::automatable_params = 5;
	PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	for (int i = 0; i < 8; ++i)
		EXPECT_EQ(PluginHarness::dispatch(fx, effCanBeAutomated, i), 1);
	PluginHarness::automatable_params = 0;
}

TEST_F(PluginParams, ProgramsSwitchNameAndValues)
{
	const std::string name0 = PluginHarness::text(fx, effGetProgramName);
	EXPECT_EQ(name0, "Init");
	char name[64];
	for (int p = 0; p < 8; ++p)
	{
		ASSERT_EQ(PluginHarness::dispatch(fx, effGetProgramNameIndexed, p, 0, name), 1);
		EXPECT_GT(std::strlen(name), 0u);
		EXPECT_LE(std::strlen(name), 22u);
	}
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetProgramNameIndexed, 8, 0, name), 0);
	PluginHarness::dispatch(fx, effGetProgramNameIndexed, 3, 0, name);
	const auto before = PluginHarness::params(fx);
	PluginHarness::dispatch(fx, effSetProgram, 0, 3);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetProgram), 3);
	EXPECT_EQ(PluginHarness::text(fx, effGetProgramName), name);
	EXPECT_NE(PluginHarness::params(fx), before);
	// A host parameter change right after a program change is accepted:
	// the program change releases its hold at once.
	fx->setParameter(fx, 7, 0.125f);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.125f);
}

TEST_F(PluginParams, ProgramIndexesAreCheckedAsPointerSizedValues)
{
	PluginHarness::dispatch(fx, effSetProgram, 0, 2);
	PluginHarness::dispatch(fx, effSetProgram, 0, 8);
	PluginHarness::dispatch(fx, effSetProgram, 0, -1);
	PluginHarness::dispatch(fx, effSetProgram, 0, (intptr(1) << 32) + 1);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetProgram), 2);
}

TEST_F(PluginParams, CopyAndRenamePrograms)
{
	fx->setParameter(fx, 0, 0.3f);
	char n[] = "Mine";
	PluginHarness::dispatch(fx, effSetProgramName, 0, 0, n);
	ASSERT_EQ(PluginHarness::dispatch(fx, effCopyProgram, 5), 1);
	EXPECT_EQ(PluginHarness::dispatch(fx, effCopyProgram, 8), 0);
	PluginHarness::dispatch(fx, effSetProgram, 0, 5);
	EXPECT_EQ(PluginHarness::text(fx, effGetProgramName), "Mine");
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 0), 0.3f);
	const std::string longname(40, 'L');
	PluginHarness::dispatch(fx, effSetProgramName, 0, 0, const_cast<char *>(longname.c_str()));
	EXPECT_EQ(PluginHarness::text(fx, effGetProgramName), std::string(22, 'L'));
}

TEST_F(PluginParams, ParameterChangesReachTheCurrentProgram)
{
	PluginHarness::dispatch(fx, effSetProgram, 0, 1);
	fx->setParameter(fx, 1, 0.75f);
	PluginHarness::dispatch(fx, effSetProgram, 0, 2);
	PluginHarness::dispatch(fx, effSetProgram, 0, 1);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 1), 0.75f);
}
