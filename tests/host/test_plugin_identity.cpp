// The record, the strings and the answers a scanning host sees.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

class PluginIdentity : public ::testing::Test
{
protected:
	void SetUp() override { fx = host.open(); ASSERT_NE(fx, nullptr); }
	void TearDown() override { host.close(fx); }
	PluginHarness host;
	AEffect *fx = nullptr;
};

TEST_F(PluginIdentity, RecordCarriesCountsFlagsAndId)
{
	EXPECT_EQ(fx->magic, kEffectMagic);
	EXPECT_EQ(fx->uniqueID, 0x4B76746E);
	EXPECT_EQ(fx->numPrograms, 8);
	EXPECT_EQ(fx->numParams, 8);
	EXPECT_EQ(fx->numInputs, 2);
	EXPECT_EQ(fx->numOutputs, 2);
	EXPECT_EQ(fx->flags, effFlagsCanMono | effFlagsCanReplacing);
	EXPECT_EQ(fx->version, 1);
	EXPECT_EQ(fx->resvd1, 0);
	EXPECT_EQ(fx->resvd2, 0);
	EXPECT_EQ(fx->user, nullptr);
	EXPECT_NE(fx->processReplacing, nullptr);
	EXPECT_NE(fx->process, nullptr);
}

TEST_F(PluginIdentity, NamesVendorProductAndVersion)
{
	EXPECT_EQ(PluginHarness::text(fx, effGetEffectName), "Brastoke");
	EXPECT_EQ(PluginHarness::text(fx, effGetVendorString), "Dravimor");
	EXPECT_EQ(PluginHarness::text(fx, effGetProductString), "Dravimor Brastoke 1.31");
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetVendorVersion), 0x131);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetPlugCategory), kPlugCategEffect);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetVstVersion), 2200);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetTailSize), 0);
	// keysRequired() is 1, which the protocol answers as 0.
	EXPECT_EQ(PluginHarness::dispatch(fx, effKeysRequired), 0);
	EXPECT_EQ(PluginHarness::dispatch(fx, 9999), 0);
}

TEST_F(PluginIdentity, CanDoAnswers)
{
	auto can = [&](const char *t) { return PluginHarness::dispatch(fx, effCanDo, 0, 0, const_cast<char *>(t)); };
	EXPECT_EQ(can("receiveVstTimeInfo"), 1);
	// The instance has MIDI: the engine is its MIDI receiver.
	EXPECT_EQ(can("receiveVstMidiEvent"), 1);
	EXPECT_EQ(can("receiveVstEvents"), 1);
	EXPECT_EQ(can("sendVstMidiEvent"), 1);
	EXPECT_EQ(can("sendVstEvents"), 1);
	EXPECT_EQ(can("sendVstTimeInfo"), 0);
	EXPECT_EQ(can("plugAsChannelInsert"), 0);
	EXPECT_EQ(can("ReceiveVstTimeInfo"), 0);
	EXPECT_EQ(can(""), 0);
}

TEST_F(PluginIdentity, PinProperties)
{
	VstPinProperties p;
	std::memset(&p, 0x5A, sizeof(p));
	ASSERT_EQ(PluginHarness::dispatch(fx, effGetInputProperties, 1, 0, &p), 1);
	EXPECT_STREQ(p.label, "Right input");
	EXPECT_EQ(p.flags, kVstPinIsActive | kVstPinIsStereo);
	EXPECT_EQ(static_cast<unsigned char>(p.future[0]), 0x5A);
	ASSERT_EQ(PluginHarness::dispatch(fx, effGetOutputProperties, 0, 0, &p), 1);
	EXPECT_STREQ(p.label, "Left output");
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetOutputProperties, 2, 0, &p), 0);
	EXPECT_EQ(PluginHarness::dispatch(fx, effGetInputProperties, -1, 0, &p), 0);
}

TEST_F(PluginIdentity, TextsNeverTouchBytesBeyondTheirTerminator)
{
	char buf[64];
	std::memset(buf, 0x7E, sizeof(buf));
	PluginHarness::dispatch(fx, effGetParamDisplay, 0, 0, buf);
	const std::size_t len = std::strlen(buf);
	ASSERT_GT(len, 0u);
	ASSERT_LT(len, 23u);
	for (std::size_t i = len + 1; i < sizeof(buf); ++i)
		EXPECT_EQ(buf[i], 0x7E) << i;
}

TEST_F(PluginIdentity, ProductStringUsesTheCLocaleUnderAGermanHost)
{
	const std::string saved = std::setlocale(LC_ALL, nullptr);
	if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
		GTEST_SKIP() << "de_DE.UTF-8 is not installed";
	EXPECT_EQ(PluginHarness::text(fx, effGetProductString), "Dravimor Brastoke 1.31");
	PluginHarness::dispatch(fx, effString2Parameter, 5, 0, const_cast<char *>("2.5"));
	EXPECT_EQ(PluginHarness::text(fx, effGetParamDisplay, 5), "2.500");
	std::setlocale(LC_ALL, saved.c_str());
}

TEST(PluginEntry, HostVersionZeroGetsNothing)
{
	PluginHarness host;
	PluginHarness::host_version = 0;
	EXPECT_EQ(host.entry()(&PluginHarness::callback), nullptr);
	PluginHarness::host_version = 2400;
	EXPECT_EQ(host.entry()(nullptr), nullptr);
}

TEST(PluginEntry, AllThreeNamesAreOneFunction)
{
	PluginHarness host;
	ASSERT_NE(host.entry("VSTPluginMain"), nullptr);
	EXPECT_EQ(host.entry("VSTPluginMain"), host.entry("main"));
	EXPECT_EQ(host.entry("VSTPluginMain"), host.entry("main_plugin"));
}

TEST(PluginEntry, TwoInstancesAreIndependent)
{
	PluginHarness host;
	AEffect *a = host.open();
	AEffect *b = host.open();
	ASSERT_NE(a, nullptr);
	ASSERT_NE(b, nullptr);
	a->setParameter(a, 0, 0.25f);
	PluginHarness::dispatch(b, effSetProgram, 0, 3);
	char name[] = "Renamed";
	PluginHarness::dispatch(a, effSetProgramName, 0, 0, name);
	EXPECT_FLOAT_EQ(a->getParameter(a, 0), 0.25f);
	EXPECT_NE(b->getParameter(b, 0), 0.25f);
	EXPECT_EQ(PluginHarness::dispatch(a, effGetProgram), 0);
	EXPECT_EQ(PluginHarness::dispatch(b, effGetProgram), 3);
	EXPECT_EQ(PluginHarness::text(a, effGetProgramName), "Renamed");
	EXPECT_NE(PluginHarness::text(b, effGetProgramName), "Renamed");
	host.close(a);
	EXPECT_NE(PluginHarness::text(b, effGetEffectName), "");
	host.close(b);
}
