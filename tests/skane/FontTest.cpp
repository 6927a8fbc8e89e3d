// Font strips: cell decoding from the marker row, justification, clipping
// and the glyph blend.
#include "ApicBuilder.h"
#include "GuardedBuffer.h"

#include "skane/FontFactory.h"
#include "skane/TextFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using skane::AlphaRGB;
using skane::Coord2D;
using skane::FontInterface;
using skane::Rect;
using skane::TextFrame;
using skane_test::ApicBuilder;
using skane_test::GuardedBuffer;

namespace
{

constexpr AlphaRGB WHITE{0xFF, 0xFF, 0xFF, 0x11};

// Cells of widths 1, 2, 3, 2 (codes 0 to 3). Glyph rows: code c's columns
// carry coverage 255 in row 0 and 128 in row 1.
struct UniFont
{
	std::vector<std::uint8_t> bytes;
	std::unique_ptr<FontInterface> font;

	UniFont()
	{
		const int widths[] = {1, 2, 3, 2};
		ApicBuilder b(2, 0, 8, 3);
		b.pixels.assign(24, 0);
		int x = 0;
		for (int c = 0; c < 4; ++c)
			for (int i = 0; i < widths[c]; ++i, ++x)
			{
				b.pixels[x] = 255;
				b.pixels[8 + x] = 128;
				b.pixels[16 + x] = c % 2 == 0 ? 7 : 9;  // marker row
			}
		bytes = b.build();
		font.reset(skane::FontFactory::get_instance().create_from_memory(bytes.data(), bytes.size()));
	}
};

TextFrame frame(const std::string &text, int w, int just)
{
	TextFrame tf;
	tf.set_text(text);
	tf.set_size(Coord2D(w, 2));
	tf.set_justification(just);
	tf.set_font_color(0x23, 0x23, 0x23);
	return tf;
}

// First column drawn in row 0 of the buffer, -1 when none.
int first_drawn(GuardedBuffer &buf)
{
	for (int x = 0; x < buf.get_size().x; ++x)
		if (!(buf.at(x, 0) == WHITE))
			return x;
	return -1;
}

} // namespace

TEST(Font, DecodesCellsFromTheMarkerRow)
{
	UniFont f;
	ASSERT_NE(f.font, nullptr);
	EXPECT_EQ(f.font->get_nbr_chars(), 4);
	EXPECT_EQ(f.font->get_char(2)->width, 3);
	EXPECT_EQ(f.font->get_char(2)->x, 3);
	EXPECT_EQ(f.font->get_char(3)->x, 6);
	EXPECT_EQ(f.font->get_char(4), nullptr);
	EXPECT_EQ(f.font->get_text_height(), 2);

	// Codes without a cell and bytes >= 128 take no width.
	EXPECT_EQ(f.font->get_line_width(std::string("\x02\x01\x09", 3)), 5);
	EXPECT_EQ(f.font->get_line_width(std::string("\x01\xC8\x80\x03", 4)), 4);
}

TEST(Font, GlyphBlendFloorsTowardMinusInfinity)
{
	UniFont f;
	GuardedBuffer buf(8, 2, WHITE);
	f.font->print(Rect(0, 0, 8, 2), buf, frame(std::string("\x01", 1), 8, 0));
	EXPECT_EQ(buf.at(0, 0).r, 0x23);     // coverage 255 over 0xFF gives the colour
	EXPECT_EQ(buf.at(1, 0).g, 0x23);
	EXPECT_EQ(buf.at(1, 0).a, 0x11);     // fourth byte kept
	EXPECT_EQ(buf.at(0, 1).b, 0xFF + static_cast<int>(std::floor((0x23 - 0xFF) * 128 / 256.0)));
	EXPECT_EQ(buf.at(2, 0), WHITE);
	EXPECT_TRUE(buf.guards_intact());
}

TEST(Font, Justification)
{
	UniFont f;
	const std::string text("\x02\x01", 2);  // 5 pixels wide
	for (int j : {0, 1, 2})
	{
		GuardedBuffer buf(12, 2, WHITE);
		f.font->print(Rect(0, 0, 12, 2), buf, frame(text, 10, j));
		const int expected[] = {0, 2, 5};   // centred: floor(5 / 2)
		EXPECT_EQ(first_drawn(buf), expected[j]) << j;
		EXPECT_EQ(buf.at(expected[j] + 5, 0), WHITE);
		EXPECT_FALSE(buf.at(expected[j] + 4, 0) == WHITE);
	}
	// A code beyond the last cell is skipped without advancing.
	GuardedBuffer buf(12, 2, WHITE);
	f.font->print(Rect(0, 0, 12, 2), buf, frame(std::string("\x06\x01", 2), 10, 0));
	EXPECT_EQ(first_drawn(buf), 0);
}

TEST(Font, ClipsToFrameDestinationAndBuffer)
{
	UniFont f;
	const std::string text("\x02\x02\x02", 3);  // 9 pixels wide
	// Frame 4 wide: nothing beyond column 3.
	GuardedBuffer buf(12, 2, WHITE);
	f.font->print(Rect(0, 0, 12, 2), buf, frame(text, 4, 0));
	EXPECT_FALSE(buf.at(3, 0) == WHITE);
	EXPECT_EQ(buf.at(4, 0), WHITE);

	// Destination starting at frame column 2: buffer column 0 is frame
	// column 2; the buffer is 3 wide.
	GuardedBuffer b2(3, 1, WHITE);
	f.font->print(Rect(2, 1, 12, 3), b2, frame(text, 20, 0));
	EXPECT_EQ(b2.at(0, 0).r, 0xFF + static_cast<int>(std::floor((0x23 - 0xFF) * 128 / 256.0)));
	EXPECT_TRUE(b2.guards_intact());

	// Right-justified text wider than its frame starts left of it.
	GuardedBuffer b3(6, 2, WHITE);
	f.font->print(Rect(0, 0, 6, 2), b3, frame(text, 6, 2));
	EXPECT_EQ(b3.count_not(WHITE), 12);
	EXPECT_TRUE(b3.guards_intact());
}

TEST(Font, MulticolorUsesInvertedAlpha)
{
	ApicBuilder b(1, 8, 2, 2);
	b.palette = {{10, 20, 30, 0}};
	// Row 0: alpha 0 (drawn) and 255 (left alone); marker row: two cells.
	b.pixels = {0, 0, 0, 255, 0, 1, 0, 2};
	const auto bytes = b.build();
	std::unique_ptr<FontInterface> font(skane::FontFactory::get_instance().create_from_memory(bytes.data(), bytes.size()));
	ASSERT_NE(font, nullptr);
	EXPECT_EQ(font->get_nbr_chars(), 2);
	GuardedBuffer buf(2, 1, WHITE);
	TextFrame tf;
	tf.set_text(std::string("\x00\x01", 2));
	tf.set_size(Coord2D(2, 1));
	font->print(Rect(0, 0, 2, 1), buf, tf);
	EXPECT_EQ(buf.at(0, 0).b, 0xFF + static_cast<int>(std::floor((10 - 0xFF) * 255 / 256.0)));
	EXPECT_EQ(buf.at(1, 0), WHITE);
}

TEST(TextFrameTest, DefaultsAndColour)
{
	TextFrame tf;
	EXPECT_EQ(tf.get_justification(), 0);
	EXPECT_EQ(tf.get_font_color(), 0x808080);
	tf.set_font_color(35, 30, 22);
	EXPECT_EQ(tf.get_font_color(), 0x231E16);
	tf.set_text("ab");
	EXPECT_EQ(tf.get_mapped_text(), "ab");
	tf.set_text("xyz");
	EXPECT_EQ(tf.get_mapped_text(), "xyz");
}
