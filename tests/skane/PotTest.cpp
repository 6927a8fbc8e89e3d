// Knobs and faders under scripted mouse input and the test clock.
#include "ControlFixture.h"

#include "skane/Fader.h"
#include "skane/Knob.h"
#include "skane/ShowObject.h"

#include <cmath>

using skane::Coord2D;
using skane::Knob;
using skane::Rect;
using skane_test::ControlFixture;

namespace
{

struct KnobTest : ControlFixture
{
	Knob knob;
	void SetUp() override
	{
		ControlFixture::SetUp();
		add(knob, Coord2D(100, 100), Rect(-20, -20, 20, 20));
		knob.set_val_auto(0.2, 1);
		win.clear_log();
	}
};

} // namespace

TEST_F(KnobTest, DragUpHundredPixelsFollowsToTarget)
{
	press(Coord2D(100, 100));
	EXPECT_TRUE(skane_test::logged(win, "MouseCapture 2"));
	EXPECT_TRUE(skane_test::logged(win, "SetTimer 30000"));
	move_by(Coord2D(0, -100));
	EXPECT_EQ(win.get_warps().back(), Coord2D(100, 100));
	EXPECT_NEAR(knob.get_pot_behaviour().get_final_val(), 0.7, 1e-12);
	EXPECT_LT(knob.get_val(), 0.7);
	win.advance(0.15);   // five timer ticks
	EXPECT_NEAR(knob.get_val(), 0.7, 1e-3);
	release();
	win.advance(0.5);
	EXPECT_NEAR(knob.get_val(), 0.7, 1e-12);
	// Settled: the gesture ended, the timer is gone, the pointer is back.
	EXPECT_TRUE(win.get_running_timers().empty());
	EXPECT_EQ(win.get_mouse_capturer(), nullptr);
	EXPECT_TRUE(win.is_pointer_shown());
	EXPECT_EQ(knob.get_pot_behaviour().get_mode(), skane::PotBehaviour::Mode_IDLE);
	// User priority while held, settling priority after the release.
	ASSERT_FALSE(listener.priorities.empty());
	EXPECT_EQ(listener.priorities.front(), 200);
}

TEST_F(KnobTest, ReversalPastTheEndStartsFromTheEnd)
{
	press(Coord2D(100, 100));
	move_by(Coord2D(0, -100));
	move_by(Coord2D(0, -60));   // raw 1.0
	move_by(Coord2D(0, -40));   // raw 1.2: still pushing past the end
	EXPECT_NEAR(knob.get_pot_behaviour().get_raw_target(), 1.2, 1e-12);
	move_by(Coord2D(0, 20));
	EXPECT_NEAR(knob.get_pot_behaviour().get_final_val(), 0.9, 1e-12);
	win.advance(1.0);
	EXPECT_NEAR(knob.get_val(), 0.9, 1e-9);
}

TEST_F(KnobTest, SettlingAfterReleaseUsesPriority50)
{
	press(Coord2D(100, 100));
	move_by(Coord2D(0, -100));
	release();
	listener.priorities.clear();
	win.advance(0.5);
	ASSERT_FALSE(listener.priorities.empty());
	for (int p : listener.priorities)
		EXPECT_EQ(p, 50);
}

TEST_F(KnobTest, NotchesHoldUntilThreeTimesNearer)
{
	std::vector<double> notches = {0.0, 0.5, 1.0};
	knob.set_notch_list(notches);
	knob.set_xy_rate(0.01f);
	knob.set_val_auto(0.5, 1);
	press(Coord2D(100, 100));
	move_by(Coord2D(0, -74));   // raw 0.87
	EXPECT_DOUBLE_EQ(knob.get_pot_behaviour().get_final_val(), 0.5);
	move_by(Coord2D(0, -2));    // raw 0.88 > 0.875
	EXPECT_DOUBLE_EQ(knob.get_pot_behaviour().get_final_val(), 1.0);
	move_by(Coord2D(0, 152));   // raw 0.12 < 0.125
	EXPECT_DOUBLE_EQ(knob.get_pot_behaviour().get_final_val(), 0.0);
	move_by(Coord2D(0, -76));   // raw 0.5
	EXPECT_DOUBLE_EQ(knob.get_pot_behaviour().get_final_val(), 0.5);
	move_by(Coord2D(0, -10));   // raw 0.55: held on 0.5
	EXPECT_DOUBLE_EQ(knob.get_pot_behaviour().get_final_val(), 0.5);
	// Sideways travel beyond 16 pixels: the target jumps to the snapped
	// value, then follows the raw target (xy rate 0.01 per pixel / 200).
	move_by(Coord2D(20, 0));
	EXPECT_NEAR(knob.get_pot_behaviour().get_final_val(), 0.5 + 0.01 * 20 / 200, 1e-9);
}

TEST_F(KnobTest, CompatibleModeTracksAbsolutePositions)
{
	store.values["Dravimor/MouseCompatibility"] = "1";
	EXPECT_EQ(skane::PersistentMouseSettings::get_instance().update_mouse_behaviour(),
		skane::PersistentMouseSettings::MouseBehaviour_COMPATIBLE);
	press(Coord2D(100, 100));
	EXPECT_TRUE(skane_test::logged(win, "MouseCapture 0"));
	EXPECT_TRUE(win.is_pointer_shown());
	move_by(Coord2D(0, -2));    // first move: only recorded
	EXPECT_NEAR(knob.get_pot_behaviour().get_final_val(), 0.2, 1e-12);
	move_by(Coord2D(0, -20));
	EXPECT_NEAR(knob.get_pot_behaviour().get_final_val(), 0.3, 1e-12);
	EXPECT_TRUE(win.get_warps().empty());
}

TEST_F(KnobTest, SideClicksMoveTowardTheirSide)
{
	press(Coord2D(118, 118));   // lower-right triangle: up
	EXPECT_EQ(knob.get_pot_behaviour().get_mode(), skane::PotBehaviour::Mode_ATTRACTING);
	EXPECT_TRUE(skane_test::logged(win, "MouseCapture 0"));
	win.advance(2.0);
	const double raised = knob.get_val();
	EXPECT_GT(raised, 0.25);
	release();
	win.advance(3.0);
	const double after = knob.get_val();
	EXPECT_GE(after, raised);
	EXPECT_LT(after, raised + 0.05);
	EXPECT_TRUE(win.get_running_timers().empty());

	knob.set_val_auto(0.5, 1);
	press(Coord2D(82, 118));    // lower-left: down
	win.advance(2.0);
	EXPECT_LT(knob.get_val(), 0.45);
	release();

	// Dragging sideways while attracting sets a uniform speed.
	knob.set_val_auto(0.5, 1);
	press(Coord2D(118, 118));
	move_by(Coord2D(100, 0));   // speed 100 * 100 / 65536 per second
	win.advance(0.3);
	EXPECT_NEAR(knob.get_val(), 0.5 + 0.3 * 100.0 * 100.0 / 65536.0, 0.01);
}

TEST_F(KnobTest, HidingStopsTheDrag)
{
	press(Coord2D(100, 100));
	move_by(Coord2D(0, -50));
	skane::ShowObject hide(skane::MessageDown::BROADCAST, false);
	root.send_message(hide);
	EXPECT_EQ(win.get_mouse_capturer(), nullptr);
	EXPECT_TRUE(win.get_running_timers().empty());
	EXPECT_EQ(knob.get_pot_behaviour().get_mode(), skane::PotBehaviour::Mode_IDLE);
}

TEST(KnobGeometry, FramesAndAngles)
{
	Knob k;
	k.set_nbr_button_frames(8);
	k.set_button_angle_base(0.0f);
	k.set_button_angle_per(1.0f / 7);
	// Value 0 sits at 225 degrees, value 1 at -45 degrees.
	EXPECT_NEAR(k.get_angle(0.0), 0.625 * 2 * M_PI, 1e-6);
	EXPECT_NEAR(k.get_angle(1.0), -0.125 * 2 * M_PI, 1e-6);
	// The frame plus its extra rotation always shows the face at theta,
	// modulo the face's period.
	for (double v = 0.0; v <= 1.0; v += 0.01)
	{
		int index;
		double rot;
		k.get_button_frame(v, index, rot);
		ASSERT_GE(index, 0);
		ASSERT_LT(index, 8);
		const double shown = index * (1.0 / 7) / 8 + rot / (2 * M_PI);
		const double want = k.get_angle(v) / (2 * M_PI);
		const double diff = std::remainder(shown - want, 1.0 / 7);
		EXPECT_NEAR(diff, 0.0, 1e-6) << v;
		EXPECT_LE(std::fabs(rot), (1.0 / 7) / 8 * M_PI + 1e-9);
	}
}

namespace
{

struct FaderTest : ControlFixture
{
	skane::Fader fader;
	void SetUp() override
	{
		ControlFixture::SetUp();
		fader.set_direction(skane::Fader::Direction_HORIZONTAL);
		fader.set_amplitude(90);
		fader.set_side_click_speed(1.0f);
		fader.set_button_pic(skane_test::square_pic(10, 20, Coord2D(5, 10)));
		add(fader, Coord2D(50, 50), Rect(-5, -14, 99, 17));
		fader.set_val_auto(0.5, 1);
		win.clear_log();
	}
};

} // namespace

TEST_F(FaderTest, DragOnTheButtonAndReleaseOnIt)
{
	EXPECT_EQ(fader.get_rounded_button_pos(), Coord2D(45, 0));
	press(Coord2D(97, 52));   // on the button (45 + 2, 2)
	EXPECT_EQ(fader.get_pot_behaviour().get_mode(), skane::PotBehaviour::Mode_DRAGGING);
	move_by(Coord2D(18, 0));  // +0.2
	EXPECT_NEAR(fader.get_pot_behaviour().get_final_val(), 0.7, 1e-12);
	win.advance(0.5);
	release();
	// The pointer reappears on the button's new position.
	EXPECT_EQ(win.get_warps().back(), Coord2D(50 + 63, 50));
	EXPECT_NEAR(fader.get_val(), 0.7, 1e-6);
}

TEST_F(FaderTest, ClickBesideTheButtonAttracts)
{
	press(Coord2D(135, 50));   // 40 pixels right of the button
	EXPECT_EQ(fader.get_pot_behaviour().get_mode(), skane::PotBehaviour::Mode_ATTRACTING);
	win.advance(1.0);
	EXPECT_GT(fader.get_val(), 0.5);
	release();
}
