#include <gtest/gtest.h>

#include <cstring>

#include "basic/StrFnc.h"

TEST(StrFnc, BoundedCopyWritesOnlyTextAndTerminator)
{
	char buf[16];
	std::memset(buf, 'z', sizeof(buf));
	basic::strncpy_0(buf, "abc", 10);
	EXPECT_STREQ(buf, "abc");
	EXPECT_EQ(buf[4], 'z');
	EXPECT_EQ(buf[9], 'z');
	basic::strncpy_0(buf, "abcdefghijkl", 5);
	EXPECT_STREQ(buf, "abcd");
	std::memset(buf, 'z', sizeof(buf));
	basic::strncpy_0(buf, "abc", 0);
	EXPECT_EQ(buf[0], 'z');
	basic::strncpy_0(buf, "abc", 1);
	EXPECT_EQ(buf[0], '\0');
	EXPECT_EQ(buf[1], 'z');
}

TEST(StrFnc, WildcardMatching)
{
	EXPECT_TRUE(basic::test_filename("BANK.PBK", "*.pbk"));
	EXPECT_TRUE(basic::test_filename("a.txt", "*.pbk,*.txt"));
	EXPECT_FALSE(basic::test_filename("a.txt", "*.pbk"));
	EXPECT_TRUE(basic::test_filename("noext", "*.*"));
	EXPECT_TRUE(basic::test_filename("a.b.c", "*.c"));
	EXPECT_TRUE(basic::test_filename("abc", "a?c"));
	EXPECT_FALSE(basic::test_filename("ac", "a?c"));
	EXPECT_TRUE(basic::test_filename("abxc", "a*?c"));
	EXPECT_FALSE(basic::test_filename("ac", "a*?c"));
	EXPECT_TRUE(basic::test_filename("anything", "**"));
	EXPECT_TRUE(basic::test_filename("", "*"));
}

TEST(StrFnc, CompileDate)
{
	long y = 0;
	long m = 0;
	long d = 0;
	basic::decode_compile_date(y, m, d, "Aug 21 2002");
	EXPECT_EQ(m, 7);
	EXPECT_EQ(d, 20);
	EXPECT_EQ(y, 2002);
	basic::decode_compile_date(y, m, d, "xyz 1 2000");
	EXPECT_EQ(m, -1);
	basic::decode_compile_date(y, m, d, "jan  5 1999");
	EXPECT_EQ(m, 0);
	EXPECT_EQ(d, 4);
}

TEST(StrFnc, PrintFloatSwitchesToIntegersWhenTheWidthIsFull)
{
	char buf[32];
	basic::print_float(buf, 999.5, 5);
	EXPECT_STREQ(buf, "1000");
	basic::print_float(buf, 12.345, 5);
	EXPECT_STREQ(buf, "12.34");
	basic::print_float(buf, -99.5, 5);
	EXPECT_STREQ(buf, "-99");
	// Wholes beyond an int are cut to the width like any other text.
	basic::print_float(buf, 1e12, 5);
	EXPECT_STREQ(buf, "10000");
	basic::print_float(buf, -3e9, 5);
	EXPECT_STREQ(buf, "-3000");
}

#include "sys/FileOp.h"

TEST(FileOp, NamesAndPathsWithBothDelimiters)
{
	using sys::FileOp;
	EXPECT_EQ(FileOp::extract_filename("/a/b/c.pbk"), "c.pbk");
	EXPECT_EQ(FileOp::extract_filename("C:\\banks\\x.pbk"), "x.pbk");
	EXPECT_EQ(FileOp::extract_filename("mixed/a\\b"), "b");
	EXPECT_EQ(FileOp::extract_filename(""), "");
	EXPECT_EQ(FileOp::extract_filename("/a/b/"), "");
	EXPECT_EQ(FileOp::extract_filename("plain"), "plain");
	EXPECT_EQ(FileOp::extract_pathname("/a/b/"), "/a/b");
	EXPECT_EQ(FileOp::extract_pathname("/"), "/");
	EXPECT_TRUE(FileOp::is_existing("/"));
	EXPECT_FALSE(FileOp::is_existing("/no/such/entry"));
	EXPECT_FALSE(FileOp::is_existing(""));
}
