#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plegg/BankManager.h"
#include "plegg/ProgramSlot.h"

using plegg::BankManager;
using plegg::ProgramSlot;

namespace
{

std::vector<unsigned char> image_of(const basic::SerializableInterface &obj, unsigned char fill = 0)
{
	std::vector<unsigned char> buf(static_cast<std::size_t>(obj.get_object_size()), fill);
	EXPECT_EQ(obj.write_to_memory(buf.data()), 0);
	return buf;
}

ProgramSlot slot_of(int nbr_param, const char *name)
{
	ProgramSlot s;
	s.set_nbr_param(nbr_param);
	s.set_name(name);
	for (int i = 0; i < nbr_param; ++i)
		s.set_parameter(i, 0.125f * static_cast<float>(i));
	return s;
}

} // namespace

TEST(ProgramSlot, NewSlotWritesA76ByteImage)
{
	const ProgramSlot s;
	const auto img = image_of(s);
	ASSERT_EQ(img.size(), 76u);
	const unsigned char head[] = {0, 0, 0, 0, 0x00, 0x40, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ(std::memcmp(img.data(), head, sizeof(head)), 0);
	EXPECT_EQ(std::memcmp(img.data() + 12, "Default\0", 8), 0);
}

TEST(ProgramSlot, ImageIsBigEndianByteForByte)
{
	ProgramSlot s = slot_of(8, "Pad");
	s.set_parameter(0, 1.0f);
	s.set_flags(0x01020304);
	const auto img = image_of(s);
	ASSERT_EQ(img.size(), 108u);
	EXPECT_EQ(img[0], 0x01);
	EXPECT_EQ(img[3], 0x04);
	EXPECT_EQ(img[6], 0x00);
	EXPECT_EQ(img[7], 0x08);
	const unsigned char one[] = {0x3F, 0x80, 0x00, 0x00};
	EXPECT_EQ(std::memcmp(img.data() + 76, one, 4), 0);
}

TEST(ProgramSlot, LongNameIsCutTo63Characters)
{
	const std::string name(70, 'x');
	ProgramSlot s = slot_of(2, name.c_str());
	const auto img = image_of(s, 0xAA);
	EXPECT_EQ(img[12 + 63], 0);
	ProgramSlot back;
	ASSERT_EQ(back.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(back.get_name(), std::string(63, 'x'));
}

TEST(ProgramSlot, WriterLeavesBytesAfterTheTerminator)
{
	ProgramSlot s = slot_of(0, "ab");
	const auto img = image_of(s, 0xAA);
	EXPECT_EQ(img[12 + 2], 0);
	EXPECT_EQ(img[12 + 3], 0xAA);
	EXPECT_EQ(img[12 + 63], 0);
}

TEST(ProgramSlot, RoundTripKeepsEveryField)
{
	ProgramSlot s = slot_of(8, "Round");
	s.set_extra_byte_size(3);
	s.set_extra_byte(2, 0x7F);
	s.set_flags(-5);
	const auto img = image_of(s);
	ProgramSlot back;
	ASSERT_EQ(back.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(back.get_name(), "Round");
	EXPECT_EQ(back.get_flags(), -5);
	ASSERT_EQ(back.get_nbr_param(), 8);
	EXPECT_EQ(back.get_parameter(7), 0.875f);
	ASSERT_EQ(back.get_extra_byte_size(), 3);
	EXPECT_EQ(back.get_extra_byte(2), 0x7F);
	EXPECT_EQ(image_of(back), img);
}

TEST(ProgramSlot, ReaderHonoursTheStoredNameFieldLength)
{
	// A name field of 32 bytes: parameters start at offset 44.
	std::vector<unsigned char> img(12 + 32 + 8, 0);
	img[5] = 32;
	img[7] = 2;
	std::memcpy(img.data() + 12, "Short", 5);
	img[44] = 0x3F;
	img[45] = 0x80;
	ProgramSlot s;
	ASSERT_EQ(s.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(s.get_name(), "Short");
	EXPECT_EQ(s.get_parameter(0), 1.0f);
	EXPECT_EQ(s.get_parameter(1), 0.0f);
}

TEST(ProgramSlot, ReadingFewerParametersShrinksTheSlot)
{
	ProgramSlot five = slot_of(5, "Five");
	const auto img = image_of(five);
	ProgramSlot s = slot_of(8, "Eight");
	ASSERT_EQ(s.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(s.get_nbr_param(), 5);
}

TEST(ProgramSlot, TruncatedOrInconsistentImagesAreRefusedAndChangeNothing)
{
	ProgramSlot src = slot_of(8, "Source");
	auto img = image_of(src);
	ProgramSlot s = slot_of(3, "Kept");
	for (long len = 0; len < static_cast<long>(img.size()); ++len)
		EXPECT_NE(s.read_from_memory(img.data(), len), 0) << len;
	img[6] = 0x80; // negative parameter count
	EXPECT_NE(s.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	img[6] = 0;
	img[8] = 0xFF; // extra bytes beyond the image
	EXPECT_NE(s.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(s.get_name(), "Kept");
	EXPECT_EQ(s.get_nbr_param(), 3);
}

TEST(ProgramSlot, NameWithoutTerminatorStopsAtTheField)
{
	ProgramSlot src = slot_of(1, "");
	auto img = image_of(src);
	std::memset(img.data() + 12, 'n', 64);
	ProgramSlot s;
	ASSERT_EQ(s.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(s.get_name(), std::string(64, 'n'));
}

TEST(BankManager, SizesFollowProgramZero)
{
	BankManager bank(16);
	for (int i = 0; i < 16; ++i)
		bank[i] = slot_of(8, "P");
	EXPECT_EQ(bank.get_object_size(), 8 + 16 * 108);
	const auto img = image_of(bank);
	EXPECT_EQ(img[3], 16);
	EXPECT_EQ(img[7], 108);
}

TEST(BankManager, ReadingTakesTheImagesProgramCount)
{
	BankManager three(3);
	for (int i = 0; i < 3; ++i) {
		const char name[] = {'P', static_cast<char>('0' + i), '\0'};
		three[i] = slot_of(8, name);
	}
	const auto img = image_of(three);

	BankManager eight(8);
	ASSERT_EQ(eight.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(eight.get_nbr_prog(), 3);
	BankManager one;
	ASSERT_EQ(one.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	ASSERT_EQ(one.get_nbr_prog(), 3);
	EXPECT_EQ(one[2].get_name(), "P2");
	EXPECT_EQ(image_of(one), img);
}

TEST(BankManager, StrideIsTheStoredProgramSize)
{
	// Programs stored 4 bytes further apart than they need.
	BankManager two(2);
	two[0] = slot_of(1, "A");
	two[1] = slot_of(1, "B");
	const auto tight = image_of(two);
	const long s = two[0].get_object_size();
	std::vector<unsigned char> loose(8 + 2 * (s + 4), 0);
	std::memcpy(loose.data(), tight.data(), 8);
	loose[7] = static_cast<unsigned char>(s + 4);
	std::memcpy(loose.data() + 8, tight.data() + 8, s);
	std::memcpy(loose.data() + 8 + s + 4, tight.data() + 8 + s, s);
	BankManager b;
	ASSERT_EQ(b.read_from_memory(loose.data(), static_cast<long>(loose.size())), 0);
	EXPECT_EQ(b[1].get_name(), "B");
}

TEST(BankManager, ForgedCountsAreRefusedWithoutAllocating)
{
	BankManager bank(2);
	auto img = image_of(bank);
	img[0] = 0x7F; // two thousand million programs in a few bytes
	BankManager b(5);
	EXPECT_NE(b.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(b.get_nbr_prog(), 5);
	img[0] = 0x80; // negative
	EXPECT_NE(b.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
}

TEST(BankManager, SetNbrProgKeepsExistingSlots)
{
	BankManager bank(2);
	bank[1].set_name("Second");
	bank.set_nbr_prog(4);
	EXPECT_EQ(bank[1].get_name(), "Second");
	EXPECT_EQ(bank[3].get_name(), "Default");
	bank.set_nbr_prog(1);
	EXPECT_EQ(bank.get_nbr_prog(), 1);
}

TEST(BankManager, ProgramsOfDifferentStructureAreRefused)
{
	// Found by fuzzing: program 0 without parameters, program 1 with 8 in the
	// same stride; writing such a bank overran its image.
	BankManager mixed(2);
	mixed[1] = slot_of(8, "Wide");
	mixed[0] = slot_of(0, "Narrow");
	std::vector<unsigned char> img(8 + 2 * 108, 0);
	img[3] = 2;
	img[7] = 108;
	mixed[0].write_to_memory(img.data() + 8);
	mixed[1].write_to_memory(img.data() + 8 + 108);
	BankManager b(3);
	EXPECT_NE(b.read_from_memory(img.data(), static_cast<long>(img.size())), 0);
	EXPECT_EQ(b.get_nbr_prog(), 3);
	std::vector<unsigned char> out(static_cast<std::size_t>(mixed.get_object_size()) + 64, 0);
	EXPECT_NE(mixed.write_to_memory(out.data()), 0);
}
