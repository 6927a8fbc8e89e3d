// The picture and font factories accept only resources whose header and
// arrays fit their bytes, and build the data kind the header names.
#include "ApicBuilder.h"

#include "skane/AlphaPicData24.h"
#include "skane/AlphaPicData8.h"
#include "skane/FontFactory.h"
#include "skane/MulticolorFont.h"
#include "skane/PicData24.h"
#include "skane/PicData8.h"
#include "skane/PicDataFactory.h"
#include "skane/UnicolorFont.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using skane::ApicHeader;
using skane::FontFactory;
using skane::PicDataFactory;
using skane_test::ApicBuilder;

namespace
{

ApicBuilder valid8(int kind = 0)
{
	ApicBuilder b(kind, 8, 3, 2);
	b.palette = {{1, 2, 3, 4}, {5, 6, 7, 8}};
	b.pixels.assign(6 * (kind == 1 ? 2 : 1), 0);
	if (kind == 0)
		b.pixels[4] = 1;
	return b;
}

std::unique_ptr<skane::PicDataInterface> make_pic(const std::vector<std::uint8_t> &bytes)
{
	return std::unique_ptr<skane::PicDataInterface>(
		PicDataFactory::get_instance().create_from_memory(bytes.data(), bytes.size()));
}

std::unique_ptr<skane::FontInterface> make_font(const std::vector<std::uint8_t> &bytes)
{
	return std::unique_ptr<skane::FontInterface>(
		FontFactory::get_instance().create_from_memory(bytes.data(), bytes.size()));
}

} // namespace

TEST(PicDataFactory, BuildsEachKind)
{
	auto p8 = make_pic(valid8(0).build());
	ASSERT_NE(p8, nullptr);
	EXPECT_NE(dynamic_cast<skane::PicData8 *>(p8.get()), nullptr);
	EXPECT_EQ(p8->get_size(), skane::Coord2D(3, 2));

	auto a8 = make_pic(valid8(1).build());
	EXPECT_NE(dynamic_cast<skane::AlphaPicData8 *>(a8.get()), nullptr);

	ApicBuilder b24(0, 24, 2, 2);
	b24.pixels.assign(16, 9);
	EXPECT_NE(dynamic_cast<skane::PicData24 *>(make_pic(b24.build()).get()), nullptr);
	b24.h.kind = 1;
	EXPECT_NE(dynamic_cast<skane::AlphaPicData24 *>(make_pic(b24.build()).get()), nullptr);

	// An empty picture is valid and draws nothing.
	ApicBuilder empty(1, 24, 0, 0);
	EXPECT_NE(make_pic(empty.build()), nullptr);
	// Marker -1 is as good as 1; a larger header is skipped over.
	ApicBuilder m = valid8(0);
	m.h.marker = -1;
	EXPECT_NE(make_pic(m.build()), nullptr);
}

TEST(PicDataFactory, RefusesInvalidResources)
{
	struct Case
	{
		const char *what;
		std::function<void(ApicBuilder &)> spoil;
		bool fix_offsets;
	};
	const Case cases[] = {
		{"marker 0", [](ApicBuilder &b) { b.h.marker = 0; }, true},
		{"header size 35", [](ApicBuilder &b) { b.h.header_size = 35; }, true},
		{"header size beyond data", [](ApicBuilder &b) { b.h.header_size = 100000; }, true},
		{"depth 16", [](ApicBuilder &b) { b.h.bpp = 16; }, true},
		{"depth 0 (font only)", [](ApicBuilder &b) { b.h.bpp = 0; }, true},
		{"kind 2 (font only)", [](ApicBuilder &b) { b.h.kind = 2; }, true},
		{"kind 3", [](ApicBuilder &b) { b.h.kind = 3; }, true},
		{"palette 257", [](ApicBuilder &b) { b.palette.resize(257); }, true},
		{"negative width", [](ApicBuilder &b) { b.h.width = -1; }, true},
		{"negative height", [](ApicBuilder &b) { b.h.height = -3; }, true},
		{"truncated pixels", [](ApicBuilder &b) { b.pixels.pop_back(); }, true},
		{"width overflow", [](ApicBuilder &b) { b.h.width = 0x7FFFFFFF; b.h.height = 0x7FFFFFFF; }, true},
		{"index beyond palette", [](ApicBuilder &b) { b.pixels[5] = 2; }, true},
		{"no palette", [](ApicBuilder &b) { b.palette.clear(); }, true},
		{"palette offset outside",
			[](ApicBuilder &b) {
				b.h.nbr_colors = 2;
				b.h.palette_offset = 1000;
				b.h.pixel_offset = 44;
			},
			false},
		{"palette offset negative",
			[](ApicBuilder &b) {
				b.h.nbr_colors = 2;
				b.h.palette_offset = -8;
				b.h.pixel_offset = 44;
			},
			false},
		{"pixel offset inside header",
			[](ApicBuilder &b) {
				b.h.nbr_colors = 2;
				b.h.palette_offset = 36;
				b.h.pixel_offset = 0;
			},
			false},
	};
	for (const Case &c : cases)
	{
		ApicBuilder b = valid8(0);
		c.spoil(b);
		const auto bytes = b.build(c.fix_offsets);
		EXPECT_EQ(make_pic(bytes), nullptr) << c.what;
	}

	// Every truncation of a valid resource is refused.
	const auto good = valid8(1).build();
	ASSERT_NE(make_pic(good), nullptr);
	for (std::size_t n = 0; n < good.size(); ++n)
		EXPECT_EQ(PicDataFactory::get_instance().create_from_memory(good.data(), n), nullptr) << n;
	EXPECT_EQ(PicDataFactory::get_instance().create_from_memory(nullptr, 100), nullptr);
}

TEST(PicDataFactory, MissingResourceGivesNull)
{
	EXPECT_EQ(PicDataFactory::get_instance().create("no such picture"), nullptr);
	EXPECT_EQ(PicDataFactory::get_instance().create(nullptr), nullptr);
	EXPECT_EQ(FontFactory::get_instance().create("no such font"), nullptr);
}

TEST(FontFactory, BuildsBothKindsAndRefusesOthers)
{
	ApicBuilder uni(2, 0, 4, 3);
	uni.pixels.assign(12, 0);
	auto f = make_font(uni.build());
	ASSERT_NE(f, nullptr);
	EXPECT_NE(dynamic_cast<skane::UnicolorFont *>(f.get()), nullptr);
	EXPECT_EQ(f->get_text_height(), 2);

	ApicBuilder multi(1, 8, 4, 3);
	multi.palette = {{0, 0, 0, 0}};
	multi.pixels.assign(24, 0);
	EXPECT_NE(dynamic_cast<skane::MulticolorFont *>(make_font(multi.build()).get()), nullptr);

	const std::function<void(ApicBuilder &)> spoils[] = {
		[](ApicBuilder &b) { b.h.kind = 0; },               // picture, not a font
		[](ApicBuilder &b) { b.h.bpp = 8; },                // kind 2 needs depth 0
		[](ApicBuilder &b) { b.h.bpp = 24; },
		[](ApicBuilder &b) { b.h.marker = 0; },
		[](ApicBuilder &b) { b.h.header_size = 35; },
		[](ApicBuilder &b) { b.h.height = 0; b.pixels.clear(); },  // no marker row
		[](ApicBuilder &b) { b.h.width = 0; b.pixels.clear(); },
		[](ApicBuilder &b) { b.pixels.pop_back(); },
	};
	for (std::size_t i = 0; i < std::size(spoils); ++i)
	{
		ApicBuilder b = uni;
		spoils[i](b);
		EXPECT_EQ(make_font(b.build()), nullptr) << i;
	}
	ApicBuilder bad_index = multi;
	bad_index.pixels[22] = 1;
	EXPECT_EQ(make_font(bad_index.build()), nullptr);
}

TEST(ApicHeader, WordsAreLittleEndian)
{
	std::uint8_t b[4];
	ApicHeader::write_word(b, 0x01020304);
	EXPECT_EQ(b[0], 4);
	EXPECT_EQ(b[3], 1);
	EXPECT_EQ(ApicHeader::read_word(b), 0x01020304);
	ApicHeader::write_word(b, -1);
	EXPECT_EQ(ApicHeader::read_word(b), -1);
}
