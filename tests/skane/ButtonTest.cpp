// Spin timing, push-button and flip-flop animations, text box editing,
// mouse settings.
#include "ControlFixture.h"

#include "skane/FlipFlop.h"
#include "skane/PushButton.h"
#include "skane/Spin.h"
#include "skane/TextBox.h"

using skane::Coord2D;
using skane::Rect;
using skane_test::ControlFixture;

namespace
{

struct SpinTest : ControlFixture
{
	skane::Spin spin;
	void SetUp() override
	{
		ControlFixture::SetUp();
		auto up = skane_test::square_pic(10, 10, Coord2D(5, 10));
		auto down = skane_test::square_pic(10, 10, Coord2D(5, 0));
		auto handle = skane_test::square_pic(10, 6, Coord2D(-6, 3));
		spin.set_up_button_pic(up, up);
		spin.set_down_button_pic(down, down);
		spin.set_handle_pic(handle, handle);
		add(spin, Coord2D(100, 100), Rect(-5, -10, 16, 10));
		spin.set_val_auto(0.5, 1);
		win.clear_log();
	}
};

} // namespace

TEST_F(SpinTest, HeldUpButtonSpeedsUp)
{
	press(Coord2D(100, 95));
	EXPECT_NEAR(spin.get_val(), 0.501, 1e-12);
	EXPECT_TRUE(skane_test::logged(win, "SetTimer 100000"));
	win.advance(0.55);   // ticks up to 0.5 s: phase 0, no step
	EXPECT_NEAR(spin.get_val(), 0.501, 1e-12);
	win.advance(0.1);    // tick at 0.6 s: phase 1, still no step
	EXPECT_EQ(spin.get_repeat_phase(), 1);
	EXPECT_NEAR(spin.get_val(), 0.501, 1e-12);
	win.advance(1.4);    // ticks 0.7 ... 2.0: 14 quick steps
	EXPECT_NEAR(spin.get_val(), 0.515, 1e-12);
	win.advance(0.1);    // tick 2.1: past 2 s, a last quick step
	EXPECT_EQ(spin.get_repeat_phase(), 2);
	EXPECT_NEAR(spin.get_val(), 0.516, 1e-12);
	win.advance(0.06);   // tick 2.2: re-armed at 0.03 s, very quick step
	EXPECT_NEAR(spin.get_val(), 0.521, 1e-12);
	EXPECT_EQ(win.get_running_timers().begin()->second.period_us, 30000);
	win.advance(0.0801); // ticks 2.23, 2.26, 2.29
	EXPECT_NEAR(spin.get_val(), 0.536, 1e-12);
	EXPECT_EQ(win.get_running_timers().size(), 1u);
	release();
	EXPECT_TRUE(win.get_running_timers().empty());
	EXPECT_EQ(spin.get_button_state(), 0);
	EXPECT_EQ(win.get_mouse_capturer(), nullptr);
}

TEST_F(SpinTest, DownButtonAndClamp)
{
	spin.set_val_auto(0.0005, 1);
	press(Coord2D(100, 105));
	EXPECT_DOUBLE_EQ(spin.get_val(), 0.0);
	release();
}

TEST_F(SpinTest, HandleDragCoversTheRangeIn180Pixels)
{
	spin.set_val_auto(0.0, 1);
	press(Coord2D(108, 100));
	EXPECT_EQ(spin.get_button_state(), skane::Spin::ButtonState_HANDLE);
	EXPECT_TRUE(skane_test::logged(win, "MouseCapture 2"));
	move_by(Coord2D(0, -90));
	EXPECT_NEAR(spin.get_val(), 0.5, 1e-12);
	move_by(Coord2D(0, -200));
	EXPECT_DOUBLE_EQ(spin.get_val(), 1.0);
	release();
	// The pointer goes back where the press happened.
	EXPECT_EQ(win.get_warps().back(), Coord2D(108, 100));
}

TEST_F(ControlFixture, PushButtonAnimatesWithoutChangingTheValue)
{
	skane::PushButton pb;
	add(pb, Coord2D(20, 20), Rect(0, 0, 10, 10));
	pb.set_val_auto(0.25, 1);
	press(Coord2D(22, 22));
	ASSERT_EQ(listener.events.size(), 1u);
	EXPECT_EQ(listener.events[0], 0);
	win.advance(0.031);
	EXPECT_NEAR(pb.get_anim_pos(), 0.6, 1e-9);
	win.advance(0.03);
	EXPECT_NEAR(pb.get_anim_pos(), 0.8, 1e-9);
	win.advance(0.03);
	EXPECT_NEAR(pb.get_anim_pos(), 0.2, 1e-9);
	win.advance(0.03);
	EXPECT_DOUBLE_EQ(pb.get_anim_pos(), 0.0);
	EXPECT_TRUE(win.get_running_timers().empty());
	EXPECT_DOUBLE_EQ(pb.get_val(), 0.25);
}

TEST_F(ControlFixture, FlipFlopFlipsAroundOneHalf)
{
	skane::FlipFlop ff;
	add(ff, Coord2D(20, 20), Rect(0, 0, 10, 10));
	ff.set_val_auto(0.4, 1);
	press(Coord2D(22, 22));
	EXPECT_DOUBLE_EQ(ff.get_val(), 1.0);
	EXPECT_DOUBLE_EQ(ff.get_anim_pos(), 1.0);   // no transition: jumps
	EXPECT_TRUE(win.get_running_timers().empty());
	ff.set_val_auto(0.5, 1);
	press(Coord2D(22, 22));
	EXPECT_DOUBLE_EQ(ff.get_val(), 0.0);

	// With a transition the look runs from 1 down to 0 while going to 0.
	ff.set_transition_time(0.3);
	ff.set_val_auto(1.0, 1);
	press(Coord2D(22, 22));
	EXPECT_DOUBLE_EQ(ff.get_val(), 0.0);
	EXPECT_TRUE(ff.is_animating());
	win.advance(0.031);
	EXPECT_NEAR(ff.get_anim_pos(), 0.9, 1e-9);
	win.advance(0.3);
	EXPECT_FALSE(ff.is_animating());
	EXPECT_DOUBLE_EQ(ff.get_anim_pos(), 0.0);
	EXPECT_TRUE(win.get_running_timers().empty());
}

TEST_F(ControlFixture, TextBoxValidateAndCancel)
{
	skane::TextBox tb;
	add(tb, Coord2D(100, 50), Rect(-36, 0, 36, 12));
	tb.set_text_hot_point(Coord2D(36, 0));
	tb.set_frame_size(Coord2D(72, 12));
	tb.set_legend("Cutoff");
	tb.set_text("1000");

	// Not editable: a click is only reported.
	press(Coord2D(100, 55));
	EXPECT_EQ(listener.events, (std::vector<long>{1}));
	EXPECT_EQ(editor.get_nbr_begins(), 0);

	tb.set_editable_flag(true);
	press(Coord2D(100, 55));
	ASSERT_TRUE(tb.is_editing());
	EXPECT_EQ(editor.get_zone(), Rect(64, 50, 136, 62));
	EXPECT_EQ(editor.get_legend(), "Cutoff");
	EXPECT_EQ(editor.get_text(), "1000");
	editor.finish("2k", false);
	EXPECT_FALSE(tb.is_editing());
	EXPECT_EQ(tb.get_text(), "1000");
	EXPECT_EQ(listener.events.size(), 1u);

	press(Coord2D(100, 55));
	editor.finish("2k", true);
	EXPECT_EQ(tb.get_text(), "2k");
	EXPECT_EQ(listener.events, (std::vector<long>{1, 2}));

	// A gesture stopped while editing cancels the edit.
	press(Coord2D(100, 55));
	tb.stop_user_action();
	EXPECT_FALSE(editor.is_running());
	EXPECT_FALSE(tb.is_editing());
	EXPECT_EQ(tb.get_text(), "2k");
}

TEST(MouseSettings, StoreIsReadAndRepaired)
{
	skane_test::MapStore store;
	skane::PersistentMouseSettings::set_store(&store);
	auto &s = skane::PersistentMouseSettings::get_instance();
	EXPECT_EQ(s.update_mouse_behaviour(), skane::PersistentMouseSettings::MouseBehaviour_ENHANCED);
	EXPECT_EQ(store.values["Dravimor/MouseCompatibility"], "0");
	store.values["Dravimor/MouseCompatibility"] = "1";
	EXPECT_EQ(s.update_mouse_behaviour(), skane::PersistentMouseSettings::MouseBehaviour_COMPATIBLE);
	store.values["Dravimor/MouseCompatibility"] = "yes";
	EXPECT_EQ(s.update_mouse_behaviour(), skane::PersistentMouseSettings::MouseBehaviour_ENHANCED);
	EXPECT_EQ(store.values["Dravimor/MouseCompatibility"], "0");

	EXPECT_TRUE(s.set_mouse_behaviour(skane::PersistentMouseSettings::MouseBehaviour_COMPATIBLE));
	EXPECT_EQ(store.values["Dravimor/MouseCompatibility"], "1");
	store.writable = false;
	EXPECT_FALSE(s.set_mouse_behaviour(skane::PersistentMouseSettings::MouseBehaviour_ENHANCED));
	EXPECT_EQ(s.get_mouse_behaviour(), skane::PersistentMouseSettings::MouseBehaviour_COMPATIBLE);
	skane::PersistentMouseSettings::set_store(nullptr);
}
