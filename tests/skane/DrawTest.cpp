// Controls drawn through the window's tiled redraw.
#include "ControlFixture.h"

#include "skane/BackgroundItem.h"
#include "skane/BackgroundSplit.h"
#include "skane/Fader.h"
#include "skane/PicData24.h"
#include "skane/FlipFlop.h"
#include "skane/Knob.h"
#include "skane/Spin.h"
#include "skane/TextBox.h"
#include "skane/UnicolorFont.h"

using skane::AlphaRGB;
using skane::Coord2D;
using skane::Rect;

namespace
{

// A 1 x 1 white opaque-alpha mark.
skane::Picture mark()
{
	static AlphaRGB pix[1] = {{255, 255, 255, 255}};
	return skane::Picture(std::make_shared<skane::AlphaPicData24>(Coord2D(1, 1), pix));
}

struct DrawTest : skane_test::ControlFixture
{
	std::vector<AlphaRGB> screen = std::vector<AlphaRGB>(300 * 300, AlphaRGB{0, 0, 0, 0});
	// Black opaque background: every tile starts from it.
	std::vector<AlphaRGB> black = std::vector<AlphaRGB>(300 * 300, AlphaRGB{0, 0, 0, 0});
	skane::BackgroundSplit bkg{skane::BackgroundSplit::Type_ROWS};
	skane::BackgroundItem bkg_item;
	void SetUp() override
	{
		ControlFixture::SetUp();
		buf.set_screen(screen.data(), Coord2D(300, 300));
		bkg_item.set_picture(skane::Picture(std::make_shared<skane::PicData24>(Coord2D(300, 300), black.data())));
		bkg.push_back(bkg_item, 300);
		bkg.refresh_coord(Coord2D());
		win.set_background_root(bkg);
	}
	AlphaRGB &at(int x, int y) { return screen[y * 300 + x]; }
	int lit()
	{
		int n = 0;
		for (const AlphaRGB &p : screen)
			n += p.r != 0;
		return n;
	}
	void paint()
	{
		std::fill(screen.begin(), screen.end(), AlphaRGB{0, 0, 0, 0});
		win.split_redraw(Rect(0, 0, 300, 300));
	}
};

} // namespace

TEST_F(DrawTest, KnobSpotFollowsTheAngle)
{
	skane::Knob knob;
	knob.set_spot_pic(mark());
	knob.set_radius(10.0f);
	add(knob, Coord2D(62, 62), Rect(-20, -20, 20, 20));   // across tile edges
	knob.set_val_auto(0.5, 1);   // straight up
	paint();
	EXPECT_EQ(at(62, 52).r, (255 * 255 * 256) >> 16);
	EXPECT_EQ(lit(), 1);
	knob.set_val_auto(0.0, 1);   // 225 degrees: lower left
	paint();
	int best = 0, bx = 0, by = 0;
	for (int y = 0; y < 300; ++y)
		for (int x = 0; x < 300; ++x)
			if (at(x, y).r > best)
			{
				best = at(x, y).r;
				bx = x;
				by = y;
			}
	EXPECT_NEAR(bx, 62 - 7, 1);
	EXPECT_NEAR(by, 62 + 7, 1);
}

TEST_F(DrawTest, EveryControlDrawsInsideItsBox)
{
	const skane::Picture big = skane_test::square_pic(30, 30, Coord2D(15, 15));
	skane::Knob knob;
	knob.set_graduation_pic(big);
	knob.set_nbr_button_frames(4);
	// Turned frames stay inside the box: 13 * sqrt(2) + 1 < 20.
	const skane::Picture frame = skane_test::square_pic(26, 26, Coord2D(13, 13));
	for (int i = 0; i < 4; ++i)
		knob.set_button_pic(i, frame);
	knob.set_rotating_button_flag(true);
	knob.set_spot_pic(skane_test::square_pic(6, 2, Coord2D(0, 1)));
	knob.set_rotating_spot_flag(true);
	knob.set_radius(8.0f);
	knob.set_arrow_pic(big);
	add(knob, Coord2D(40, 40), Rect(-20, -20, 20, 20));

	skane::Fader fader;
	fader.set_button_pic(skane_test::square_pic(10, 20, Coord2D(5, 10)));
	fader.set_amplitude(90);
	add(fader, Coord2D(100, 40), Rect(-5, -14, 99, 17));

	skane::FlipFlop ff;
	ff.set_nbr_button_frames(2);
	ff.set_button_pic(0, big);
	ff.set_button_pic(1, skane_test::square_pic(20, 20, Coord2D(10, 10)));
	add(ff, Coord2D(40, 150), Rect(-15, -15, 15, 15));

	skane::Spin spin;
	spin.set_up_button_pic(big, big);
	add(spin, Coord2D(150, 150), Rect(-15, -15, 15, 15));

	static std::uint8_t strip[3 * 4] = {0, 0, 255, 0, 0, 255, 0, 0, 0, 1, 1, 2};
	auto font = std::make_shared<skane::UnicolorFont>(Coord2D(3, 4), strip);
	skane::TextBox tb;
	tb.set_font(font);
	tb.set_frame_size(Coord2D(20, 5));
	tb.set_text_hot_point(Coord2D(10, 0));
	tb.set_font_color(0xFF0000);
	tb.set_justification(1);
	tb.set_text("\x01\x01\x01");
	add(tb, Coord2D(250, 250), Rect(-10, 0, 10, 5));

	for (double v : {0.0, 0.37, 1.0})
	{
		for (skane::ControlInterface *c : std::vector<skane::ControlInterface *>{&knob, &fader, &ff, &spin})
			c->set_val_auto(v, 1);
		paint();
		for (int y = 0; y < 300; ++y)
			for (int x = 0; x < 300; ++x)
			{
				if (at(x, y).r == 0)
					continue;
				bool inside = false;
				for (int i = 0; i < group.get_nbr_controls(); ++i)
				{
					const skane::ControlInterface *c = group.use_control(i);
					inside = inside || (c->get_box() + c->get_coord()).contains(Coord2D(x, y));
				}
				ASSERT_TRUE(inside) << x << " " << y << " at " << v;
			}
	}
	// The text box printed its three glyph columns in red.
	EXPECT_EQ(at(240 + 8, 250).r, 254);   // floor(255 * 255 / 256)
	EXPECT_EQ(at(240 + 10, 251).r, 254);
	EXPECT_EQ(at(240 + 11, 250).r, 0);
}
