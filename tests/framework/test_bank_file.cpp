#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "plegg/YurkFileOp.h"

using plegg::BankManager;
using plegg::YurkFileOp;

namespace
{

class BankFile : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char tmpl[] = "/tmp/brastoke-bank-XXXXXX";
		ASSERT_NE(mkdtemp(tmpl), nullptr);
		dir = tmpl;
	}
	void TearDown() override
	{
		std::string cmd = "rm -rf '" + dir + "'";
		ASSERT_EQ(std::system(cmd.c_str()), 0);
	}
	std::string path(const char *name) const { return dir + "/" + name; }

	static BankManager bank_of(int nbr_prog, int nbr_param)
	{
		BankManager b(nbr_prog);
		for (int p = 0; p < nbr_prog; ++p)
		{
			b[p].set_nbr_param(nbr_param);
			b[p].set_name("Prog " + std::to_string(p));
			for (int i = 0; i < nbr_param; ++i)
				b[p].set_parameter(i, 0.1f * static_cast<float>(i));
		}
		return b;
	}

	static std::vector<unsigned char> read(const std::string &p)
	{
		std::ifstream f(p, std::ios::binary);
		return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
	}

	static void write(const std::string &p, const std::vector<unsigned char> &bytes)
	{
		std::ofstream f(p, std::ios::binary);
		f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
	}

	std::string dir;
};

} // namespace

TEST_F(BankFile, SavesHeaderAndZeroPaddedImage)
{
	const BankManager bank = bank_of(8, 8);
	ASSERT_EQ(YurkFileOp::save_bank(path("b.pbk").c_str(), bank), 0);
	const auto bytes = read(path("b.pbk"));
	ASSERT_EQ(bytes.size(), 880u);
	const unsigned char head[] = {'Y', 'U', 'R', 'K', 0x00, 0x00, 0x03, 0x68};
	EXPECT_EQ(std::memcmp(bytes.data(), head, 8), 0);
	// After "Prog 0" and its terminator the name field is zeros.
	for (int i = 12 + 7; i < 12 + 64; ++i)
		EXPECT_EQ(bytes[8 + 8 + i], 0) << i;
}

TEST_F(BankFile, LoadsBackWhatWasSaved)
{
	const BankManager bank = bank_of(8, 8);
	ASSERT_EQ(YurkFileOp::save_bank(path("b.pbk").c_str(), bank), 0);
	BankManager back = bank_of(8, 8);
	back[3].set_name("changed");
	ASSERT_EQ(YurkFileOp::load_bank(path("b.pbk").c_str(), back, true), 0);
	EXPECT_EQ(back[3].get_name(), "Prog 3");
}

TEST_F(BankFile, EveryLoadFailureLeavesTheBankUnchanged)
{
	const BankManager good = bank_of(8, 8);
	ASSERT_EQ(YurkFileOp::save_bank(path("good.pbk").c_str(), good), 0);
	const auto bytes = read(path("good.pbk"));

	auto bad_magic = bytes;
	bad_magic[0] = 'X';
	write(path("magic.pbk"), bad_magic);
	write(path("short.pbk"), std::vector<unsigned char>(bytes.begin(), bytes.begin() + 5));
	write(path("trunc.pbk"), std::vector<unsigned char>(bytes.begin(), bytes.end() - 1));
	auto forged = bytes;
	forged[8] = 0x7F; // count far beyond the image
	write(path("forged.pbk"), forged);
	ASSERT_EQ(YurkFileOp::save_bank(path("sixteen.pbk").c_str(), bank_of(16, 8)), 0);
	ASSERT_EQ(YurkFileOp::save_bank(path("seven.pbk").c_str(), bank_of(8, 7)), 0);

	const struct
	{
		const char *file;
		bool strict;
		int status;
	} cases[] = {
	    {"missing.pbk", true, YurkFileOp::ERR_OPEN},
	    {"short.pbk", true, YurkFileOp::ERR_READ_HEADER},
	    {"magic.pbk", true, YurkFileOp::ERR_MAGIC},
	    {"trunc.pbk", true, YurkFileOp::ERR_READ_IMAGE},
	    {"forged.pbk", false, YurkFileOp::ERR_IMAGE},
	    {"sixteen.pbk", true, YurkFileOp::ERR_PROG_COUNT},
	    {"seven.pbk", true, YurkFileOp::ERR_PARAM_COUNT},
	};
	for (const auto &c : cases)
	{
		BankManager bank = bank_of(8, 8);
		bank[0].set_name("untouched");
		EXPECT_EQ(YurkFileOp::load_bank(path(c.file).c_str(), bank, c.strict), c.status) << c.file;
		EXPECT_EQ(bank.get_nbr_prog(), 8) << c.file;
		EXPECT_EQ(bank[0].get_name(), "untouched") << c.file;
	}
}

TEST_F(BankFile, NonStrictLoadTakesTheFilesStructure)
{
	ASSERT_EQ(YurkFileOp::save_bank(path("sixteen.pbk").c_str(), bank_of(16, 8)), 0);
	ASSERT_EQ(YurkFileOp::save_bank(path("seven.pbk").c_str(), bank_of(8, 7)), 0);
	BankManager bank = bank_of(8, 8);
	EXPECT_EQ(YurkFileOp::load_bank(path("sixteen.pbk").c_str(), bank, false), 0);
	EXPECT_EQ(bank.get_nbr_prog(), 16);
	EXPECT_EQ(YurkFileOp::load_bank(path("seven.pbk").c_str(), bank, false), 0);
	EXPECT_EQ(bank[0].get_nbr_param(), 7);
}

TEST_F(BankFile, WriteFailuresReportTheirStatus)
{
	const BankManager bank = bank_of(8, 8);
	EXPECT_EQ(YurkFileOp::save_bank((dir + "/no/such/dir/b.pbk").c_str(), bank), YurkFileOp::ERR_OPEN);
	YurkFileOp::set_write_limit_for_test(5);
	EXPECT_EQ(YurkFileOp::save_bank(path("h.pbk").c_str(), bank), YurkFileOp::ERR_WRITE_HEADER);
	YurkFileOp::set_write_limit_for_test(100);
	EXPECT_EQ(YurkFileOp::save_bank(path("i.pbk").c_str(), bank), YurkFileOp::ERR_WRITE_IMAGE);
	if (access("/dev/full", W_OK) == 0)
	{
		EXPECT_NE(YurkFileOp::save_bank("/dev/full", bank), 0);
	}
	EXPECT_EQ(YurkFileOp::save_bank(path("ok.pbk").c_str(), bank), 0);
}

TEST_F(BankFile, MemoryBlocksAreCheckedAgainstTheirSize)
{
	const BankManager good = bank_of(8, 8);
	ASSERT_EQ(YurkFileOp::save_bank(path("good.pbk").c_str(), good), 0);
	const auto bytes = read(path("good.pbk"));
	BankManager bank;
	EXPECT_EQ(YurkFileOp::load_bank_mem(bytes.data(), static_cast<long>(bytes.size()), bank, false), 0);
	EXPECT_EQ(bank.get_nbr_prog(), 8);
	BankManager kept(2);
	EXPECT_EQ(YurkFileOp::load_bank_mem(bytes.data(), static_cast<long>(bytes.size()) - 1, kept, false), YurkFileOp::ERR_IMAGE);
	EXPECT_EQ(YurkFileOp::load_bank_mem(bytes.data(), 4, kept, false), YurkFileOp::ERR_MAGIC);
	EXPECT_EQ(kept.get_nbr_prog(), 2);
}

TEST(BankFileHeader, ExtensionIsPbk)
{
	EXPECT_STREQ(plegg::YurkFileHeader::FILE_EXT, "pbk");
}
