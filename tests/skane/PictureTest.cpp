// Blits of every picture kind, byte for byte, on small synthetic pictures.
#include "ApicBuilder.h"
#include "GuardedBuffer.h"

#include "skane/AlphaPicData24.h"
#include "skane/AlphaPicData8.h"
#include "skane/PicData24.h"
#include "skane/PicData8.h"
#include "skane/Picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using skane::AlphaP;
using skane::AlphaRGB;
using skane::Coord2D;
using skane::Picture;
using skane::Rect;
using skane_test::GuardedBuffer;

namespace
{

constexpr AlphaRGB BG{200, 100, 50, 7};

// A 3 x 2 alpha palette picture: alphas 0, 255, 128 / 64, 1, 254.
struct Alpha8Fixture
{
	AlphaRGB pal[2] = {{10, 20, 30, 40}, {250, 0, 100, 99}};
	AlphaP pix[6] = {{0, 0}, {1, 255}, {0, 128}, {1, 64}, {0, 1}, {1, 254}};
	basic::SharedPtr<skane::PicDataInterface> data =
		std::make_shared<skane::AlphaPicData8>(Coord2D(3, 2), pix, pal, 2);
};

int blend8(int d, int s, int a)
{
	return d + static_cast<int>(std::floor((s - d) * a / 256.0));
}

} // namespace

TEST(OpaqueBlit, CopiesFourBytesAndClips)
{
	AlphaRGB pal[3] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
	std::uint8_t pix[6] = {0, 1, 2, 2, 1, 0};
	auto data = std::make_shared<skane::PicData8>(Coord2D(3, 2), pix, pal, 3);

	GuardedBuffer buf(4, 3, BG);
	// Picture area (-1, -1)...: the picture lands at buffer (1, 1), its
	// second row cut by the buffer's bottom.
	data->blit(Rect(-1, -1, 3, 2), buf, Rect(0, 0, 3, 2));
	EXPECT_EQ(buf.at(0, 0), BG);
	EXPECT_EQ(buf.at(1, 1), pal[0]);
	EXPECT_EQ(buf.at(2, 1), pal[1]);
	EXPECT_EQ(buf.at(3, 1), pal[2]);
	EXPECT_EQ(buf.at(1, 2), pal[2]);
	EXPECT_EQ(buf.count_not(BG), 6);
	EXPECT_TRUE(buf.guards_intact());

	// The source clipper and the destination's own extent both limit.
	GuardedBuffer b2(4, 3, BG);
	data->blit(Rect(0, 0, 2, 1), b2, Rect(1, 0, 3, 2));
	EXPECT_EQ(b2.at(1, 0), pal[1]);
	EXPECT_EQ(b2.count_not(BG), 1);

	// 24-bit: the fourth byte is copied too.
	AlphaRGB p24[2] = {{1, 2, 3, 0}, {4, 5, 6, 255}};
	skane::PicData24 d24(Coord2D(2, 1), p24);
	GuardedBuffer b3(2, 1, BG);
	d24.blit(Rect(0, 0, 2, 1), b3, Rect(0, 0, 2, 1));
	EXPECT_EQ(b3.at(0, 0), p24[0]);
	EXPECT_EQ(b3.at(1, 0), p24[1]);
}

TEST(OpaqueBlit, NeverRotatesAndFloorsSubpixel)
{
	AlphaRGB p24[1] = {{1, 2, 3, 4}};
	auto data = std::make_shared<skane::PicData24>(Coord2D(1, 1), p24);
	Picture pic(data);

	GuardedBuffer buf(16, 8, BG);
	pic.blit_rotate(5.0f, 5.0f, Coord2D(0, 0), 0.5f, buf);
	EXPECT_EQ(buf.count_not(BG), 0);

	pic.blit_subpix(10.7f, 3.2f, Coord2D(0, 0), buf);
	EXPECT_EQ(buf.at(10, 3), p24[0]);
	EXPECT_EQ(buf.count_not(BG), 1);

	// With a buffer whose top-left is window point (8, 2).
	GuardedBuffer b2(4, 4, BG);
	pic.blit_subpix(10.7f, 3.2f, Coord2D(8, 2), b2);
	EXPECT_EQ(b2.at(2, 1), p24[0]);
}

TEST(AlphaBlit, Palette8ShortcutsAndFloorBlend)
{
	Alpha8Fixture f;
	GuardedBuffer buf(3, 2, BG);
	f.data->blit(Rect(0, 0, 3, 2), buf, Rect(0, 0, 3, 2));
	EXPECT_EQ(buf.at(0, 0), BG);                        // alpha 0
	EXPECT_EQ(buf.at(1, 0), f.pal[1]);                  // alpha 255: four bytes
	const AlphaRGB m = buf.at(2, 0);                    // alpha 128
	EXPECT_EQ(m.b, blend8(200, 10, 128));
	EXPECT_EQ(m.g, blend8(100, 20, 128));
	EXPECT_EQ(m.r, blend8(50, 30, 128));
	EXPECT_EQ(m.a, BG.a);                               // fourth byte untouched
	EXPECT_EQ(buf.at(0, 1).b, blend8(200, 250, 64));
	EXPECT_EQ(buf.at(0, 1).g, blend8(100, 0, 64));      // floor of a negative step
	EXPECT_EQ(buf.at(1, 1).b, blend8(200, 10, 1));
	EXPECT_EQ(buf.at(2, 1).r, blend8(50, 100, 254));
}

TEST(AlphaBlit, Direct24Formula)
{
	AlphaRGB pix[4] = {{0, 0, 0, 0}, {9, 8, 7, 255}, {255, 0, 128, 100}, {10, 250, 3, 1}};
	skane::AlphaPicData24 d(Coord2D(4, 1), pix);
	GuardedBuffer buf(4, 1, BG);
	d.blit(Rect(0, 0, 4, 1), buf, Rect(0, 0, 4, 1));
	EXPECT_EQ(buf.at(0, 0), BG);
	EXPECT_EQ(buf.at(1, 0), pix[1]);
	EXPECT_EQ(buf.at(2, 0).b, (255 * 100 + 200 * 155) >> 8);
	EXPECT_EQ(buf.at(2, 0).g, (0 * 100 + 100 * 155) >> 8);
	EXPECT_EQ(buf.at(2, 0).r, (128 * 100 + 50 * 155) >> 8);
	EXPECT_EQ(buf.at(2, 0).a, BG.a);
	EXPECT_EQ(buf.at(3, 0).g, (250 * 1 + 100 * 254) >> 8);
}

TEST(AlphaBlit, GlobalAlphaScalesPerPixelAlpha)
{
	Alpha8Fixture f;
	// Opacity 0.5: A = 128, a' = (a * A) >> 8, shortcuts applied to a'.
	GuardedBuffer buf(3, 2, BG);
	f.data->blit_alpha(Rect(0, 0, 3, 2), buf, Rect(0, 0, 3, 2), 0.5f);
	EXPECT_EQ(buf.at(1, 0).b, blend8(200, 250, 127));   // 255 -> 127: blended
	EXPECT_EQ(buf.at(1, 0).a, BG.a);
	EXPECT_EQ(buf.at(2, 0).b, blend8(200, 10, 64));
	EXPECT_EQ(buf.at(1, 1), BG);                         // 1 -> 0: untouched

	// Opacity 1 is the plain blit; opacity 0 draws nothing.
	GuardedBuffer full(3, 2, BG), plain(3, 2, BG), none(3, 2, BG);
	f.data->blit_alpha(Rect(0, 0, 3, 2), full, Rect(0, 0, 3, 2), 1.0f);
	f.data->blit(Rect(0, 0, 3, 2), plain, Rect(0, 0, 3, 2));
	f.data->blit_alpha(Rect(0, 0, 3, 2), none, Rect(0, 0, 3, 2), 0.0f);
	for (int y = 0; y < 2; ++y)
		for (int x = 0; x < 3; ++x)
		{
			EXPECT_EQ(full.at(x, y), plain.at(x, y));
			EXPECT_EQ(none.at(x, y), BG);
		}
	// A = floor(opacity * 256 + 0.5): 0.998 -> 255 (not 256), so 255 blends.
	GuardedBuffer near(3, 2, BG);
	f.data->blit_alpha(Rect(0, 0, 3, 2), near, Rect(0, 0, 3, 2), 0.998f);
	EXPECT_EQ(near.at(1, 0).b, blend8(200, 250, 254));
}

TEST(SubpixelBlit, FourNeighbourBlend)
{
	// One opaque-alpha pixel at x = 10.5: split between buffer pixels 10, 11.
	AlphaRGB pix[1] = {{255, 255, 255, 255}};
	skane::AlphaPicData24 d(Coord2D(1, 1), pix);
	GuardedBuffer buf(16, 4, {0, 0, 0, 0});
	d.blit_subpix(10.5f, 1.0f, Coord2D(0, 0), buf, Rect(0, 0, 1, 1));
	// Pixel 10 samples x = -0.5: neighbour 0 at fx = 128 -> w10 = 128.
	EXPECT_EQ(buf.at(10, 1).b, (255 * 255 * 128) >> 16);
	EXPECT_EQ(buf.at(11, 1).b, (255 * 255 * 128) >> 16);
	EXPECT_EQ(buf.at(11, 1).a, 0);
	EXPECT_EQ(buf.count_not({0, 0, 0, 0}), 2);

	// Quarter pixels in both axes: four pixels, weights 64*64, ...
	GuardedBuffer b2(16, 4, {0, 0, 0, 0});
	d.blit_subpix(2.25f, 1.75f, Coord2D(0, 0), b2, Rect(0, 0, 1, 1));
	// Pixel (3, 2) samples (0.75, 0.25): neighbour 0 is its upper left,
	// w00 = 256 - w11 - w10 - w01 with fx = 192, fy = 64.
	const int w11 = (256 * 64 * 192) >> 16, w10 = ((256 * 192) >> 8) - w11, w01 = ((256 * 64) >> 8) - w11;
	const int w00 = 256 - w11 - w10 - w01;
	EXPECT_EQ(b2.at(3, 2).g, (255 * 255 * w00) >> 16);
	EXPECT_EQ(b2.at(2, 1).g, (255 * 255 * w11) >> 16);
	EXPECT_EQ(b2.count_not({0, 0, 0, 0}), 4);
}

TEST(RotateBlit, ZeroAngleEqualsSubpixel)
{
	Alpha8Fixture f;
	Picture pic(f.data, Coord2D(1, 1));
	for (float x : {4.0f, 4.3f, 5.77f})
	{
		GuardedBuffer a(10, 8, BG), b(10, 8, BG);
		pic.blit_rotate(x, 3.5f, Coord2D(0, 0), 0.0f, a);
		pic.blit_subpix(x, 3.5f, Coord2D(0, 0), b);
		for (int y = 0; y < 8; ++y)
			for (int xx = 0; xx < 10; ++xx)
				EXPECT_EQ(a.at(xx, y), b.at(xx, y));
		// The data's own rotation kernel at an angle of 0 agrees as well.
		GuardedBuffer c(10, 8, BG);
		f.data->blit_rotate(x - 1.0f, 2.5f, Coord2D(0, 0), 0.0f, c, Rect(0, 0, 3, 2));
		for (int y = 0; y < 8; ++y)
			for (int xx = 0; xx < 10; ++xx)
				EXPECT_EQ(c.at(xx, y), b.at(xx, y));
	}
}

TEST(RotateBlit, PositiveAngleTurnsCounterClockwise)
{
	// 11 x 11 transparent picture, hot point (0, 5), one mark at hot + (5, 0).
	std::vector<AlphaRGB> pix(121, AlphaRGB{0, 0, 0, 0});
	pix[5 * 11 + 5] = {255, 255, 255, 255};
	auto data = std::make_shared<skane::AlphaPicData24>(Coord2D(11, 11), pix.data());
	Picture pic(data, Coord2D(0, 5));

	GuardedBuffer buf(30, 30, {0, 0, 0, 0});
	pic.blit_rotate(15.0f, 15.0f, Coord2D(0, 0), static_cast<float>(M_PI / 2), buf);
	int best = -1, bx = 0, by = 0;
	for (int y = 0; y < 30; ++y)
		for (int x = 0; x < 30; ++x)
			if (buf.at(x, y).r > best)
			{
				best = buf.at(x, y).r;
				bx = x;
				by = y;
			}
	EXPECT_EQ(bx, 15);
	EXPECT_EQ(by, 10);
	EXPECT_GE(best, 250);

	// A quarter turn the other way puts it below.
	GuardedBuffer b2(30, 30, {0, 0, 0, 0});
	pic.blit_rotate(15.0f, 15.0f, Coord2D(0, 0), static_cast<float>(-M_PI / 2), b2);
	EXPECT_GE(b2.at(15, 20).r, 250);
	// Half a turn: to the left of the position.
	GuardedBuffer b3(30, 30, {0, 0, 0, 0});
	pic.blit_rotate(15.0f, 15.0f, Coord2D(0, 0), static_cast<float>(M_PI), b3);
	EXPECT_GE(b3.at(10, 15).r, 250);
}

TEST(RotateBlit, NeverWritesOutsideTheBuffer)
{
	std::vector<AlphaRGB> pix(9 * 7);
	for (std::size_t i = 0; i < pix.size(); ++i)
		pix[i] = AlphaRGB{std::uint8_t(i * 7), std::uint8_t(i * 3), std::uint8_t(i), std::uint8_t(i * 37)};
	auto data = std::make_shared<skane::AlphaPicData24>(Coord2D(9, 7), pix.data());
	Picture pic(data, Coord2D(4, 3));
	pic.set_src_clipper(Rect(1, 1, 8, 6));

	const float positions[][2] = {{0, 0}, {-3.5f, 2}, {11.9f, 7.2f}, {6, -4.1f}, {5, 5}, {1e6f, 3}, {-1e9f, 1e9f}};
	for (int step = 0; step < 64; ++step)
	{
		const float angle = static_cast<float>(step * 2 * M_PI / 64);
		for (const auto &p : positions)
		{
			GuardedBuffer buf(12, 8, BG);
			pic.blit_rotate(p[0], p[1], Coord2D(0, 0), angle, buf);
			pic.blit_rotate_alpha(p[0], p[1], Coord2D(-2, 3), angle, buf, 0.6f);
			pic.blit_subpix(p[0], p[1], Coord2D(1, 1), buf);
			ASSERT_TRUE(buf.guards_intact()) << angle << " " << p[0] << " " << p[1];
		}
	}
	// Non-finite input draws nothing.
	GuardedBuffer buf(12, 8, BG);
	pic.blit_rotate(NAN, 1, Coord2D(0, 0), 1.0f, buf);
	pic.blit_rotate(1, 1, Coord2D(0, 0), INFINITY, buf);
	pic.blit_subpix(INFINITY, 1, Coord2D(0, 0), buf);
	EXPECT_EQ(buf.count_not(BG), 0);
}

TEST(PictureTest, HotPointClipperAndHitTest)
{
	Alpha8Fixture f;
	Picture pic(f.data);
	pic.set_hot(Coord2D(1, 1));
	EXPECT_EQ(pic.get_box(), Rect(-1, -1, 2, 1));
	EXPECT_TRUE(pic.check_point(Coord2D(-1, -1)));
	EXPECT_FALSE(pic.check_point(Coord2D(2, 0)));

	pic.set_src_clipper(Rect(-5, 1, 10, 7));
	EXPECT_EQ(pic.get_src_clipper(), Rect(0, 1, 3, 2));
	EXPECT_FALSE(pic.check_point(Coord2D(0, -1)));
	EXPECT_TRUE(pic.check_point(Coord2D(0, 0)));

	pic.set_src_clipper(Rect(10, 10, 20, 20));
	EXPECT_TRUE(pic.get_src_clipper().is_empty());
	for (int y = -2; y < 3; ++y)
		for (int x = -2; x < 4; ++x)
			EXPECT_FALSE(pic.check_point(Coord2D(x, y)));
	GuardedBuffer buf(4, 4, BG);
	pic.blit(Rect(-1, -1, 3, 3), buf);
	pic.blit_rotate(1, 1, Coord2D(0, 0), 1.0f, buf);
	EXPECT_EQ(buf.count_not(BG), 0);

	// blit's destination is in the picture's frame: hot point at (0, 0).
	Picture p2(f.data, Coord2D(1, 1));
	GuardedBuffer b2(4, 4, BG);
	p2.blit(Rect(-2, -2, 2, 2), b2);   // picture pixel (0, 0) -> buffer (1, 1)
	EXPECT_EQ(b2.at(2, 1), f.pal[1]);
	EXPECT_TRUE(Picture().check_point(Coord2D(0, 0)) == false);
}
