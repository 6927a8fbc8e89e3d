// Every picture stays inside the box of the control that shows it, over the
// control's whole travel and in every state: a control only repaints its
// box, so anything drawn outside it would be left behind on screen. Each
// control is set up by its recipe, drawn alone over a marker colour, and
// no pixel around its box may change.
#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/Picture.h"
#include "skane/TestClock.h"
#include "skane/TestWindow.h"
#include "skane/TextBox.h"
#include "tests/art/ArtFixture.h"
#include "tools/preview/EditorMockup.h"

#include <memory>
#include <string>
#include <vector>

namespace
{

using art_test::built_pictures;
using L = EditorLayout;

constexpr skane::AlphaRGB MARKER{17, 201, 93, 0};
constexpr int MARGIN = 40;

// One control alone in a window shaped like the editor's.
struct Scene
{
	explicit Scene(L::Ctrl c)
	:	ctrl(preview::EditorMockup::make_control(c, built_pictures()))
	,	id(c)
	{
		split.push_back(presets, L::PRESET_STRIP_HEIGHT);
		split.push_back(main, L::MAIN_PANEL_HEIGHT);
		split.refresh_coord(skane::Coord2D(0, 0));
		ctrl->set_rel_coord(L::get_place(c).pos);
		(L::get_place(c).group == L::Group_MAIN ? main : presets).push_back(*ctrl);
		const skane::Rect b = L::get_window_box(c);
		region = skane::Rect(b.x0 - MARGIN, b.y0 - MARGIN, b.x1 + MARGIN, b.y1 + MARGIN);
		buf = std::make_unique<skane::MemoryRenderingBuffer>(region.get_size());
		window.set_ctrl_group_root(split);
		window.set_rd_buf(buf.get());
		window.open(nullptr);
	}
	~Scene() { window.close(); }

	skane::TestWindow window{L::WIN_SIZE};
	skane::CtrlGroupSplit split{skane::CtrlGroupSplit::Type_ROWS};
	skane::CtrlGroupItem presets;
	skane::CtrlGroupItem main;
	std::unique_ptr<skane::ControlInterface> ctrl;
	std::unique_ptr<skane::MemoryRenderingBuffer> buf;
	L::Ctrl id;
	skane::Rect region;
};

class FitTest : public ::testing::Test
{
protected:
	void SetUp() override { skane::TestClock::install(100.0); }
	void TearDown() override
	{
		_scene.reset();
		skane::TestClock::uninstall();
	}

	void place(L::Ctrl c) { _scene = std::make_unique<Scene>(c); }
	skane::ControlInterface &ctrl() { return *_scene->ctrl; }

	// Draws the control over the marker colour; the number of pixels
	// changed outside its box, and whether anything was drawn inside.
	int outside_after_draw(bool &drawn)
	{
		Scene &s = *_scene;
		s.buf->fill_buffer(MARKER, -1);
		s.window.split_redraw(s.region);
		const skane::Rect box = L::get_window_box(s.id);
		int outside = 0;
		drawn = false;
		for (int y = 0; y < s.region.height(); ++y)
			for (int x = 0; x < s.region.width(); ++x)
			{
				const skane::AlphaRGB &p = s.buf->at(x, y);
				const bool changed = p.r != MARKER.r || p.g != MARKER.g || p.b != MARKER.b;
				if (!changed)
					continue;
				if (box.contains(skane::Coord2D(x + s.region.x0, y + s.region.y0)))
					drawn = true;
				else
					++outside;
			}
		return outside;
	}

	// Checks the control at values across its travel, with each top-layer
	// mark it can show.
	void sweep(int steps)
	{
		for (int mark = 0; mark < 3; ++mark)
		{
			ctrl().set_cur_top_layer_pic(mark);
			for (int i = 0; i <= steps; ++i)
			{
				const double v = static_cast<double>(i) / steps;
				ctrl().set_val_auto(v, 0);
				bool drawn = false;
				EXPECT_EQ(outside_after_draw(drawn), 0) << name() << " at " << v << ", mark " << mark;
				EXPECT_TRUE(drawn) << name() << " at " << v;
			}
		}
		ctrl().set_cur_top_layer_pic(0);
	}

	void press(skane::Coord2D window_pos)
	{
		_scene->window.set_pointer_pos(window_pos);
		_scene->window.process_mouse_down(window_pos, 1, 0, 1);
	}
	void release() { _scene->window.process_mouse_up(_scene->window.get_pointer_pos(), 0); }

	std::string name() const { return "control " + std::to_string(_scene->id); }

	std::unique_ptr<Scene> _scene;
};

TEST_F(FitTest, KnobsOverTheirTravelAndWhileDragged)
{
	for (L::Ctrl c : {L::Ctrl_CUTOFF, L::Ctrl_RESO, L::Ctrl_DIST_GAIN, L::Ctrl_BAND_SPACING, L::Ctrl_EVOLUTION})
	{
		SCOPED_TRACE(c);
		place(c);
		// Fine enough to meet every frame of the film strips many times.
		sweep(480);
		// The drag arrow on top.
		press(L::get_window_pos(c));
		bool drawn = false;
		EXPECT_EQ(outside_after_draw(drawn), 0) << "dragged";
		release();
	}
}

TEST_F(FitTest, FadersOverTheirTravel)
{
	for (L::Ctrl c : {L::Ctrl_TONE, L::Ctrl_MORPH_FADER})
	{
		SCOPED_TRACE(c);
		place(c);
		sweep(400);
	}
}

TEST_F(FitTest, MorphHandleStaysOffTheTimeDisplay)
{
	place(L::Ctrl_MORPH_FADER);
	ctrl().set_val_auto(1.0, 0);
	Scene &s = *_scene;
	s.buf->fill_buffer(MARKER, -1);
	s.window.split_redraw(s.region);
	const skane::Rect text = L::get_window_box(L::Ctrl_MORPH_TEXT);
	for (int y = text.y0; y < text.y1; ++y)
		for (int x = text.x0; x < text.x1; ++x)
		{
			const skane::AlphaRGB &p = s.buf->at(x - s.region.x0, y - s.region.y0);
			EXPECT_TRUE(p.r == MARKER.r && p.g == MARKER.g && p.b == MARKER.b) << x << ", " << y;
		}
}

TEST_F(FitTest, SpinWithEachPartPressed)
{
	place(L::Ctrl_NBR_BANDS);
	sweep(4);
	const skane::Coord2D pos = L::get_window_pos(L::Ctrl_NBR_BANDS);
	// Up key, handle, down key.
	for (int dy : {-20, 0, 20})
	{
		press(pos + skane::Coord2D(0, dy));
		bool drawn = false;
		EXPECT_EQ(outside_after_draw(drawn), 0) << "pressed at " << dy;
		EXPECT_TRUE(drawn);
		release();
	}
}

TEST_F(FitTest, SwitchesInBothPositionsAndBetween)
{
	for (L::Ctrl c : {L::Ctrl_DIST_ROUTING, L::Ctrl_NOTE_SWITCH, L::Ctrl_STORE_SWITCH})
	{
		SCOPED_TRACE(c);
		place(c);
		sweep(8);
	}
}

TEST_F(FitTest, ButtonsThroughTheirPressAnimation)
{
	for (int i = L::Ctrl_MEMORY_0; i <= L::Ctrl_SETUP; ++i)
	{
		const L::Ctrl c = static_cast<L::Ctrl>(i);
		const L::Recipe r = L::get_place(c).recipe;
		if (r != L::Recipe_MEMORY && r != L::Recipe_BANK_BUTTON && r != L::Recipe_SETUP_BUTTON)
			continue;
		SCOPED_TRACE(c);
		place(c);
		bool drawn = false;
		EXPECT_EQ(outside_after_draw(drawn), 0);
		EXPECT_TRUE(drawn);
		press(L::get_window_pos(c) + L::get_place(c).box.get_tl() + skane::Coord2D(4, 4));
		for (int tick = 0; tick < 12; ++tick)
		{
			_scene->window.advance(0.03);
			EXPECT_EQ(outside_after_draw(drawn), 0) << "tick " << tick;
		}
		release();
	}
}

TEST_F(FitTest, TextBoxesWithTheirWidestTexts)
{
	for (const L::CtrlPlace &p : L::CTRL_PLACE)
	{
		if (p.recipe != L::Recipe_TEXT_BOX && p.recipe != L::Recipe_TEXT_BOX_SMALL)
			continue;
		SCOPED_TRACE(p.ctrl);
		place(p.ctrl);
		const bool small = p.recipe == L::Recipe_TEXT_BOX_SMALL;
		const std::vector<std::string> texts = small ? std::vector<std::string>{"16", "99"}
		                                             : std::vector<std::string>{"10240", "-12.5", "D#10"};
		for (const std::string &t : texts)
		{
			static_cast<skane::TextBox &>(ctrl()).set_text(t.c_str());
			bool drawn = false;
			EXPECT_EQ(outside_after_draw(drawn), 0) << t;
			EXPECT_TRUE(drawn) << t;
			// The whole text is shown: its first and last columns are
			// inside the frame, with a free column on each side.
			EXPECT_LE(built_pictures().get_font()->get_line_width(t), p.box.width() - 2) << t;
		}
	}
}

// The display fields under the text boxes are light, so the dark font reads.
TEST(Background, DisplayFieldsAreLightUnderEveryTextBox)
{
	const skane::Picture &bkg = built_pictures().get_pic("bkg_21_main");
	skane::MemoryRenderingBuffer buf(L::WIN_SIZE);
	bkg.blit(skane::Rect(skane::Coord2D(0, 0), L::WIN_SIZE), buf);
	const skane::AlphaRGB ink = skane::AlphaRGB::from_rgb(0x231E16);
	auto luma = [](const skane::AlphaRGB &p) { return 0.299 * p.r + 0.587 * p.g + 0.114 * p.b; };
	for (const L::CtrlPlace &p : L::CTRL_PLACE)
	{
		if (p.recipe != L::Recipe_TEXT_BOX && p.recipe != L::Recipe_TEXT_BOX_SMALL)
			continue;
		const skane::Rect b = L::get_window_box(p.ctrl);
		double darkest = 255.0;
		for (int y = b.y0 + 3; y < b.y1; ++y)
			for (int x = b.x0; x < b.x1; ++x)
				darkest = std::min(darkest, luma(buf.at(x, y)));
		EXPECT_GT(darkest - luma(ink), 150.0) << "text box " << p.ctrl;
	}
}

} // namespace
