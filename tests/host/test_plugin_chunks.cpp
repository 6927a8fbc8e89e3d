// Bank and program chunks: byte-exact round trips, and every malformed chunk
// refused with nothing changed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "basic/BigEndian.h"
#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

class PluginChunks : public ::testing::Test
{
protected:
	void SetUp() override { fx = host.open(); ASSERT_NE(fx, nullptr); }
	void TearDown() override { host.close(fx); }
	PluginHarness host;
	AEffect *fx = nullptr;
};

TEST_F(PluginChunks, BankChunkIsTheBankImage)
{
	const auto bank = PluginHarness::chunk(fx, false);
	ASSERT_EQ(bank.size(), 8u + 8u * 108u);
	EXPECT_EQ(basic::read_be32(bank.data()), 8u);
	EXPECT_EQ(basic::read_be32(bank.data() + 4), 108u);
	EXPECT_EQ(std::memcmp(bank.data() + 8 + 12, "Init", 5), 0);
	// Program 0's values are the engine's defaults.
	EXPECT_FLOAT_EQ(basic::read_be_float(bank.data() + 8 + 76), fx->getParameter(fx, 0));
	const auto prog = PluginHarness::chunk(fx, true);
	ASSERT_EQ(prog.size(), 108u);
	EXPECT_EQ(std::memcmp(prog.data(), bank.data() + 8, 108), 0);
}

TEST_F(PluginChunks, RoundTripsAreByteExactAndRepeatable)
{
	fx->setParameter(fx, 3, 0.4f);
	const auto bank = PluginHarness::chunk(fx, false);
	EXPECT_EQ(PluginHarness::chunk(fx, false), bank);
	AEffect *other = host.open();
	ASSERT_TRUE(PluginHarness::set_chunk(other, bank, false));
	EXPECT_EQ(PluginHarness::chunk(other, false), bank);
	// The engine takes the bank when a program is selected.
	PluginHarness::dispatch(other, effSetProgram, 0, 0);
	EXPECT_FLOAT_EQ(other->getParameter(other, 3), 0.4f);
	const auto prog = PluginHarness::chunk(fx, true);
	ASSERT_TRUE(PluginHarness::set_chunk(other, prog, true));
	EXPECT_EQ(PluginHarness::chunk(other, true), prog);
	host.close(other);
}

TEST_F(PluginChunks, SetChunkDoesNotReachTheEngineUntilAProgramIsSelected)
{
	auto prog = PluginHarness::chunk(fx, true);
	basic::write_be_float(prog.data() + 76 + 4 * 7, 0.9f);
	ASSERT_TRUE(PluginHarness::set_chunk(fx, prog, true));
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.5f);
	PluginHarness::dispatch(fx, effSetProgram, 0, 0);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.9f);
}

TEST_F(PluginChunks, MalformedChunksAreRefusedAndChangeNothing)
{
	const auto bank = PluginHarness::chunk(fx, false);
	const auto prog = PluginHarness::chunk(fx, true);
	std::vector<std::vector<unsigned char>> bad_banks;
	for (std::size_t n : {0ul, 1ul, 8ul, 100ul, bank.size() - 1, bank.size() + 1, bank.size() * 2})
	{
		auto b = bank;
		b.resize(n, 0);
		bad_banks.push_back(b);
	}
	auto b = bank;
	b[3] = 7; // program count
	bad_banks.push_back(b);
	b = bank;
	b[7] = 107; // program size
	bad_banks.push_back(b);
	b = bank;
	b[8 + 7] = 7; // parameter count of program 0
	bad_banks.push_back(b);
	b = bank;
	b[8 + 108 + 5] = 60; // name field length of program 1
	bad_banks.push_back(b);
	b = bank;
	b[8 + 11] = 1; // extra bytes
	bad_banks.push_back(b);
	b = bank;
	basic::write_be_float(b.data() + 8 + 108 * 3 + 76, std::numeric_limits<float>::quiet_NaN());
	bad_banks.push_back(b);
	b = bank;
	basic::write_be_float(b.data() + 8 + 76 + 4, std::numeric_limits<float>::infinity());
	bad_banks.push_back(b);
	for (std::size_t i = 0; i < bad_banks.size(); ++i)
	{
		EXPECT_FALSE(PluginHarness::set_chunk(fx, bad_banks[i], false)) << i;
		EXPECT_EQ(PluginHarness::chunk(fx, false), bank) << i;
	}
	auto p = prog;
	p[7] = 9;
	EXPECT_FALSE(PluginHarness::set_chunk(fx, p, true));
	p = prog;
	p.pop_back();
	EXPECT_FALSE(PluginHarness::set_chunk(fx, p, true));
	EXPECT_FALSE(PluginHarness::set_chunk(fx, bank, true));
	EXPECT_FALSE(PluginHarness::set_chunk(fx, prog, false));
	EXPECT_EQ(PluginHarness::chunk(fx, true), prog);
}

TEST_F(PluginChunks, SizesAboveThirtyTwoBitsAreRefused)
{
	auto bank = PluginHarness::chunk(fx, false);
	const intptr huge = (intptr(1) << 32) + static_cast<intptr>(bank.size());
	EXPECT_EQ(PluginHarness::dispatch(fx, effSetChunk, 0, huge, bank.data()), 0);
	EXPECT_EQ(PluginHarness::dispatch(fx, effSetChunk, 0, -1, bank.data()), 0);
	EXPECT_EQ(PluginHarness::dispatch(fx, effSetChunk, 0, static_cast<intptr>(bank.size()), nullptr), 0);
}

TEST_F(PluginChunks, OutOfRangeValuesAreClamped)
{
	auto prog = PluginHarness::chunk(fx, true);
	basic::write_be_float(prog.data() + 76, 3.0f);
	basic::write_be_float(prog.data() + 80, -2.0f);
	ASSERT_TRUE(PluginHarness::set_chunk(fx, prog, true));
	PluginHarness::dispatch(fx, effSetProgram, 0, 0);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 0), 1.0f);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 1), 0.0f);
}
