// The built resources: every picture and the font present with headers the
// toolkit accepts, of the kinds and sizes the editor needs, the font's cells
// and widths, and knob film strips that show the face turning.
#include "skane/ApicHeader.h"
#include "skane/FontFactory.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/PicDataFactory.h"
#include "sys/ResourceContainer.h"
#include "tests/art/ArtFixture.h"

#include <cmath>
#include <memory>
#include <set>
#include <string>

namespace
{

using art_test::built_pictures;
using art_test::raw_resource;
using L = EditorLayout;

constexpr double PI = 3.14159265358979323846;

bool is_rotated(const std::string &name)
{
	return name.rfind("kn_1", 0) == 0 && name.find("_p") == std::string::npos;
}

TEST(BuiltResources, EveryPictureAndTheFontArePresentWithValidHeaders)
{
	const preview::PictureSet &pics = built_pictures();
	EXPECT_TRUE(pics.get_missing().empty());

	std::set<std::string> expected;
	for (const L::PicRef &r : L::PIC_REF)
	{
		expected.insert(r.name);
		std::size_t size = 0;
		const std::uint8_t *p = raw_resource(r.name, size);
		ASSERT_NE(p, nullptr) << r.name;
		skane::ApicHeader h;
		ASSERT_EQ(h.read(p, size), skane::ApicHeader::Status_OK) << r.name;
		EXPECT_EQ(h.check_arrays(p, size), skane::ApicHeader::Status_OK) << r.name;
		EXPECT_EQ(h.bpp, 24) << r.name;
		const bool background = std::string(r.name) == "bkg_21_main";
		EXPECT_EQ(h.kind, background ? skane::ApicHeader::Kind_OPAQUE : skane::ApicHeader::Kind_ALPHA) << r.name;
		EXPECT_EQ(size, static_cast<std::size_t>(36 + 4 * h.width * h.height)) << r.name;

		std::unique_ptr<skane::PicDataInterface> data(skane::PicDataFactory::get_instance().create(r.name));
		EXPECT_NE(data, nullptr) << r.name;
		EXPECT_TRUE(pics.get_pic(r.name).is_set()) << r.name;
	}
	expected.insert(L::FONT_REF[0]);
	std::unique_ptr<skane::FontInterface> font(skane::FontFactory::get_instance().create(L::FONT_REF[0]));
	EXPECT_NE(font, nullptr);

	// Nothing else of the type, and nothing missing: 55 pictures and a font.
	std::set<std::string> found;
	for (const auto &e : sys::get_res_file()->get_entries())
	{
		if (e.type == sys::make_type_code("APIC"))
			found.insert(e.name);
	}
	EXPECT_EQ(found, expected);
	EXPECT_EQ(found.size(), 56u);
}

TEST(BuiltResources, SizesTheEditorDependsOn)
{
	const preview::PictureSet &pics = built_pictures();
	EXPECT_EQ(pics.get_pic("bkg_21_main").get_pic_size(), L::WIN_SIZE);
	// The morphing-time handle stays off the time display at full travel.
	EXPECT_LE(pics.get_pic("fd_07").get_pic_size().x, 7);
	// Each pair of states has one size, so a state change repaints it whole
	// (knob frames are not states: their hot points differ).
	for (int i = 0; i + 1 < L::NBR_PICS; ++i)
	{
		const std::string a = L::PIC_REF[i].name;
		if (a.rfind("kn_", 0) == 0)
			continue;
		const std::string b = L::PIC_REF[i + 1].name;
		if (a.size() > 2 && a.substr(a.size() - 2) == "_0" && b == a.substr(0, a.size() - 1) + "1")
		{
			EXPECT_EQ(pics.get_pic(i).get_pic_size(), pics.get_pic(i + 1).get_pic_size()) << a;
		}
	}
}

TEST(BuiltResources, ColoursAreStoredWithStraightAlpha)
{
	// The lit mark's halo fades out in the accent colour: its faint pixels
	// keep the full colour (premultiplied data would darken them to the
	// level of their alpha).
	std::size_t size = 0;
	const std::uint8_t *p = raw_resource("tl_01_1", size);
	ASSERT_NE(p, nullptr);
	const int n = art_test::word(p, 4) * art_test::word(p, 5);
	int faint = 0;
	for (int i = 0; i < n; ++i)
	{
		const std::uint8_t *px = p + 36 + 4 * i;   // blue, green, red, alpha
		if (px[3] == 0 || px[3] >= 100)
			continue;
		++faint;
		EXPECT_GE(px[2], 200) << "pixel " << i << " alpha " << int(px[3]);
	}
	EXPECT_GE(faint, 8);
}

// Alpha-weighted centre of a picture, in pixel indices.
void alpha_centre(const char *name, double &cx, double &cy)
{
	std::size_t size = 0;
	const std::uint8_t *p = raw_resource(name, size);
	ASSERT_NE(p, nullptr);
	const int w = art_test::word(p, 4), h = art_test::word(p, 5);
	double sa = 0.0, sx = 0.0, sy = 0.0;
	for (int y = 0; y < h; ++y)
	{
		for (int x = 0; x < w; ++x)
		{
			const double a = p[36 + 4 * (y * w + x) + 3];
			sa += a;
			sx += a * x;
			sy += a * y;
		}
	}
	ASSERT_GT(sa, 0.0);
	cx = sx / sa;
	cy = sy / sa;
}

TEST(BuiltResources, KnobFacesAreCentredOnTheirHotPoints)
{
	// The faces are symmetric, so their centre of mass is the centre of
	// rotation: it must be the hot pixel, whatever hot point a frame has.
	for (const L::PicRef &r : L::PIC_REF)
	{
		if (!is_rotated(r.name) || std::string(r.name).find("spn") != std::string::npos)
			continue;
		double cx = 0.0, cy = 0.0;
		alpha_centre(r.name, cx, cy);
		EXPECT_NEAR(cx, r.hot_x, 0.05) << r.name;
		EXPECT_NEAR(cy, r.hot_y, 0.05) << r.name;
	}
}

TEST(BuiltResources, SpotsStartAtTheirHotPointAndPointAlongX)
{
	for (const char *name : {"kn_11_spn", "kn_12_spn"})
	{
		const skane::Picture &pic = built_pictures().get_pic(name);
		EXPECT_EQ(pic.get_hot(), skane::Coord2D(0, 1)) << name;
		double cx = 0.0, cy = 0.0;
		alpha_centre(name, cx, cy);
		EXPECT_NEAR(cy, 1.0, 0.05) << name;
		EXPECT_GT(pic.get_pic_size().x, pic.get_pic_size().y) << name;
	}
}

// Mean colour difference between two buffers.
double difference(skane::MemoryRenderingBuffer &a, skane::MemoryRenderingBuffer &b)
{
	double sum = 0.0;
	const skane::Coord2D s = a.get_size();
	for (int y = 0; y < s.y; ++y)
		for (int x = 0; x < s.x; ++x)
		{
			const skane::AlphaRGB &p = a.at(x, y), &q = b.at(x, y);
			sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
		}
	return sum / (3.0 * s.x * s.y);
}

double turned_difference(const skane::Picture &from, double angle, const skane::Picture &to)
{
	const skane::Coord2D size(100, 100);
	skane::MemoryRenderingBuffer a(size), b(size);
	a.fill_buffer(skane::AlphaRGB::from_rgb(0x303030), -1);
	b.fill_buffer(skane::AlphaRGB::from_rgb(0x303030), -1);
	from.blit_rotate(50.0f, 50.0f, skane::Coord2D(0, 0), static_cast<float>(angle), a);
	to.blit_rotate(50.0f, 50.0f, skane::Coord2D(0, 0), 0.0f, b);
	return difference(a, b);
}

// Frame i shows the face turned by base + i * per / frames: the next frame
// (and after the last, the first: the face repeats every per turn) is the
// frame turned counter-clockwise by per / frames, not clockwise.
void check_film(const L::KnobFilm &film)
{
	const preview::PictureSet &pics = built_pictures();
	const int first = L::find_pic(film.first_frame);
	const double step = film.angle_per / film.nbr_frames * 2.0 * PI;
	for (int i = 0; i < film.nbr_frames; ++i)
	{
		const skane::Picture &cur = pics.get_pic(first + i);
		const skane::Picture &next = pics.get_pic(first + (i + 1) % film.nbr_frames);
		const double forward = turned_difference(cur, step, next);
		const double backward = turned_difference(cur, -step, next);
		EXPECT_LT(forward * 2.0, backward) << film.first_frame << " frame " << i;
		EXPECT_LT(forward, 2.0) << film.first_frame << " frame " << i;
	}
}

TEST(BuiltResources, LargeKnobFramesTurnByAQuarterOfItsRepeat)
{
	check_film(L::KNOB_LARGE);
}

TEST(BuiltResources, SmallKnobFramesTurnByAnEighthOfItsRepeat)
{
	check_film(L::KNOB_SMALL);
}

TEST(BuiltFont, CellsForEveryCodeWithBlankControlCodes)
{
	const preview::PictureSet &pics = built_pictures();
	const skane::FontInterface *font = pics.get_font().get();
	ASSERT_NE(font, nullptr);
	EXPECT_EQ(font->get_nbr_chars(), 127);   // codes 0 to 126
	EXPECT_EQ(font->get_text_height(), 12);
	EXPECT_EQ(font->get_char(127), nullptr);

	std::size_t size = 0;
	const std::uint8_t *p = raw_resource(L::FONT_REF[0], size);
	ASSERT_NE(p, nullptr);
	EXPECT_EQ(art_test::word(p, 2), skane::ApicHeader::Kind_UNICOLOR);
	EXPECT_EQ(art_test::word(p, 3), 0);
	const int w = art_test::word(p, 4);
	const std::uint8_t *cov = p + 36;
	for (int code = 0; code <= ' '; ++code)
	{
		const skane::FontInterface::CharDim *c = font->get_char(static_cast<unsigned char>(code));
		ASSERT_NE(c, nullptr);
		if (code < ' ')
		{
			EXPECT_EQ(c->width, 1) << code;
		}
		for (int y = 0; y < 12; ++y)
			for (int x = c->x; x < c->x + c->width; ++x)
				EXPECT_EQ(cov[y * w + x], 0) << "code " << code;
	}
	// Every printable character has ink, except the blank.
	for (int code = '!'; code <= '~'; ++code)
	{
		const skane::FontInterface::CharDim *c = font->get_char(static_cast<unsigned char>(code));
		ASSERT_NE(c, nullptr);
		int ink = 0;
		for (int y = 0; y < 12; ++y)
			for (int x = c->x; x < c->x + c->width; ++x)
				ink += cov[y * w + x];
		EXPECT_GT(ink, 0) << static_cast<char>(code);
	}
}

TEST(BuiltFont, DigitsShareOneWidthAndTheWidestValuesFit)
{
	const skane::FontInterface *font = built_pictures().get_font().get();
	ASSERT_NE(font, nullptr);
	const int digit = font->get_char('0')->width;
	for (char d = '1'; d <= '9'; ++d)
		EXPECT_EQ(font->get_char(static_cast<unsigned char>(d))->width, digit) << d;

	// Widest texts of the parameters in the 72-pixel boxes (a pixel spare
	// on each side), and of the band count and morphing time in 24 pixels.
	for (const char *t : {"10240", "-12.5", "D#10", "100.0", "-50.0", "1.000"})
		EXPECT_LE(font->get_line_width(t), 70) << t;
	for (const char *t : {"16", "99"})
		EXPECT_LE(font->get_line_width(t), 22) << t;
}

} // namespace
