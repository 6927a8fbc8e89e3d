// The window's share of the protocol, run through the test back end.
#include "RecordingControl.h"

#include "skane/ClearTimer.h"
#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/Invalidate.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/MenuList.h"
#include "skane/MenuRequest.h"
#include "skane/MouseCapture.h"
#include "skane/MouseRelease.h"
#include "skane/SetTimer.h"
#include "skane/TestClock.h"
#include "skane/TestMenu.h"
#include "skane/TestTextLineEditor.h"
#include "skane/TestWindow.h"
#include "skane/TextInputRequest.h"
#include "skane/TextInputStop.h"

#include <gtest/gtest.h>

using skane::Coord2D;
using skane::MouseCapture;
using skane::Rect;
using skane_test::RecordingControl;

namespace
{

struct WindowFixture : ::testing::Test
{
	std::vector<std::string> log;
	skane::TestWindow win{Coord2D(300, 200)};
	skane::MemoryRenderingBuffer buf{Coord2D(128, 128)};
	skane::CtrlGroupSplit root{skane::CtrlGroupSplit::Type_ROWS};
	skane::CtrlGroupItem group;
	RecordingControl a{"a", Rect(0, 0, 50, 50), &log};
	RecordingControl b{"b", Rect(0, 0, 50, 50), &log};
	skane::TestTextLineEditor editor;
	skane::TestMenu menu;

	void SetUp() override
	{
		skane::TestClock::install(100.0);
		a.set_rel_coord(Coord2D(10, 10));
		b.set_rel_coord(Coord2D(100, 10));
		group.push_back(a);
		group.push_back(b);
		root.push_back(group, 200);
		root.refresh_coord(Coord2D());
		win.set_rd_buf(&buf);
		win.set_ctrl_group_root(root);
		win.set_text_line_editor(&editor);
		win.set_menu(&menu);
		win.open(nullptr);
		log.clear();
		win.clear_log();
	}
	void TearDown() override { skane::TestClock::uninstall(); }

	int up(RecordingControl &c, skane::MessageInterface &m) { return c.send_message(m); }
};

} // namespace

TEST_F(WindowFixture, RedrawIsTiledThroughTheBuffer)
{
	buf.clear_blit_log();
	win.split_redraw(Rect(0, 0, 300, 200));
	const auto &blits = buf.get_blit_log();
	ASSERT_EQ(blits.size(), 6u);
	const int expect[6][4] = {{0, 0, 128, 128}, {0, 128, 128, 72}, {128, 0, 128, 128}, {128, 128, 128, 72},
		{256, 0, 44, 128}, {256, 128, 44, 72}};
	for (int i = 0; i < 6; ++i)
	{
		EXPECT_EQ(blits[i].dest, Coord2D(expect[i][0], expect[i][1])) << i;
		EXPECT_EQ(blits[i].size, Coord2D(expect[i][2], expect[i][3])) << i;
	}
	// Control a (10..60) is only in the first tile; b (100..150) in the
	// first and third columns.
	EXPECT_EQ(a.redraws, (std::vector<Rect>{Rect(0, 0, 128, 128)}));
	EXPECT_EQ(b.redraws, (std::vector<Rect>{Rect(0, 0, 128, 128), Rect(128, 0, 256, 128)}));
}

TEST_F(WindowFixture, OpenShowsAndCloseHides)
{
	win.close();
	EXPECT_FALSE(a.is_shown());
	EXPECT_EQ(a.nbr_stops, 1);
	skane::Invalidate inv(Rect(0, 0, 5, 5));
	EXPECT_EQ(up(a, inv), -1);   // no view
	win.open(nullptr);
	EXPECT_TRUE(b.is_shown());
	EXPECT_EQ(up(a, inv), 0);
	EXPECT_EQ(win.get_log().back(), "Invalidate 0 0 5 5");
}

TEST_F(WindowFixture, InvalidationIsClippedToTheWindow)
{
	skane::Invalidate inv(Rect(-10, 190, 20, 400));
	up(a, inv);
	EXPECT_EQ(win.get_damage(), Rect(0, 190, 20, 200));
	skane::Invalidate outside(Rect(400, 0, 500, 10));
	up(a, outside);
	EXPECT_EQ(win.get_damage(), Rect(0, 190, 20, 200));
	// Only up-messages are accepted by the window.
	skane::MouseClick down(Coord2D(1, 1), 1);
	EXPECT_EQ(win.send_message(down), -1);
}

TEST_F(WindowFixture, CaptureTellsTheFormerCapturerFirst)
{
	MouseCapture ca(a, MouseCapture::TrackingType_PLAIN);
	up(a, ca);
	EXPECT_EQ(win.get_mouse_capturer(), &a);
	log.clear();
	MouseCapture cb(b, MouseCapture::TrackingType_PLAIN);
	up(b, cb);
	EXPECT_EQ(log, (std::vector<std::string>{"a Lost"}));
	EXPECT_EQ(win.get_mouse_capturer(), &b);

	// Mouse messages now go to b, wherever they are.
	log.clear();
	win.process_mouse_moved(Coord2D(20, 20), 0, 0);
	EXPECT_EQ(log, (std::vector<std::string>{"b Move 20 20"}));

	// Releasing: b is told too.
	log.clear();
	skane::MouseRelease rel(b);
	up(b, rel);
	EXPECT_EQ(log, (std::vector<std::string>{"b Lost"}));
	EXPECT_EQ(win.get_mouse_capturer(), nullptr);

	// Without capture, a click goes to the control under it.
	log.clear();
	win.process_mouse_down(Coord2D(110, 20), 1, 0, 1);
	EXPECT_EQ(log, (std::vector<std::string>{"b Click 1"}));
}

TEST_F(WindowFixture, RelativeCaptureReportsOffsetsAndRecentres)
{
	win.set_pointer_pos(Coord2D(50, 40));
	MouseCapture ca(a, MouseCapture::TrackingType_RELATIVE);
	up(a, ca);
	EXPECT_FALSE(win.is_pointer_shown());
	EXPECT_EQ(win.get_org_mouse_pos(), Coord2D(50, 40));

	// Capturing again with the same target keeps the first origin.
	win.set_pointer_pos(Coord2D(70, 70));
	up(a, ca);
	EXPECT_EQ(win.get_org_mouse_pos(), Coord2D(50, 40));
	EXPECT_TRUE(log.empty());

	win.process_mouse_moved(Coord2D(53, 38), 0, 0);
	EXPECT_EQ(log, (std::vector<std::string>{"a Move 3 -2"}));
	EXPECT_EQ(win.get_warps().back(), Coord2D(50, 40));
	// The platform's move back to the origin is not sent.
	win.process_mouse_moved(Coord2D(50, 40), 0, 0);
	EXPECT_EQ(log.size(), 1u);

	skane::MouseRelease rel(a, Coord2D(12, 13));
	up(a, rel);
	EXPECT_EQ(win.get_warps().back(), Coord2D(12, 13));
	EXPECT_TRUE(win.is_pointer_shown());
	EXPECT_EQ(log.back(), "a Lost");
}

TEST_F(WindowFixture, TimersTickAndClear)
{
	int id1 = 0, id2 = 0;
	skane::SetTimer t1(a, 0.0333f, id1);
	EXPECT_EQ(up(a, t1), 0);
	skane::SetTimer t2(b, 0.05f, id2);
	EXPECT_EQ(up(b, t2), 0);
	EXPECT_EQ(id2, id1 + 1);
	EXPECT_EQ(win.get_log()[0], "SetTimer 33300");
	EXPECT_EQ(win.get_running_timers().at(id2).period_us, 50000);
	EXPECT_EQ(win.get_component_with_timer_id(id1), &a);

	win.advance(0.1);
	const std::vector<std::string> expect = {"a Notify " + std::to_string(id1), "b Notify " + std::to_string(id2),
		"a Notify " + std::to_string(id1), "a Notify " + std::to_string(id1), "b Notify " + std::to_string(id2)};
	EXPECT_EQ(log, expect);

	skane::ClearTimer c1(id1);
	EXPECT_EQ(up(a, c1), 0);
	EXPECT_EQ(win.get_component_with_timer_id(id1), nullptr);
	EXPECT_EQ(up(a, c1), 0);                 // unknown id: not an error here
	EXPECT_EQ(win.clear_timer(id1), -1);     // but is for the table
	EXPECT_EQ(win.clear_timer(987654), -1);
	EXPECT_EQ(win.get_timer_list().size(), 1u);

	win.fail_timers(true);
	int id3 = 0;
	skane::SetTimer t3(a, 0.1f, id3);
	EXPECT_EQ(up(a, t3), -1);
	EXPECT_EQ(win.get_component_with_timer_id(id3), nullptr);
}

TEST_F(WindowFixture, TextInputStopsTheRunningEditorFirst)
{
	skane::TextInputRequest ra(a, "abc", Rect(1, 2, 3, 4), "Legend");
	EXPECT_EQ(up(a, ra), 0);
	EXPECT_TRUE(editor.is_running());
	EXPECT_EQ(editor.get_zone(), Rect(1, 2, 3, 4));
	EXPECT_EQ(editor.get_legend(), "Legend");

	skane::TextInputRequest rb(b, "xyz", Rect(0, 0, 9, 9), "");
	up(b, rb);
	EXPECT_EQ(log, (std::vector<std::string>{"a Finished 0"}));
	EXPECT_EQ(a.last_text, "abc");

	editor.finish("typed", true);
	EXPECT_EQ(log.back(), "b Finished 1");
	EXPECT_EQ(b.last_text, "typed");

	skane::TextInputStop stop(false);
	EXPECT_EQ(up(a, stop), -1);   // nothing runs
	up(a, ra);
	EXPECT_EQ(up(a, stop), 0);
	EXPECT_EQ(log.back(), "a Finished 0");
}

TEST_F(WindowFixture, MenuRequestShowsTheMenu)
{
	skane::MenuList list;
	skane::MenuRequest req(list, Coord2D(3, 4));
	EXPECT_EQ(up(a, req), 0);
	EXPECT_TRUE(menu.is_shown());
	EXPECT_EQ(menu.get_pos(), Coord2D(3, 4));
	EXPECT_EQ(menu.use_menu_data(), &list);
}

TEST(Messages, DestinationsAndBroadcast)
{
	EXPECT_EQ(skane::MessageDown::BROADCAST, Rect(-32000, -32000, 32000, 32000));
	skane::MouseClick c(Coord2D(4, 5), 1, 2, 1);
	EXPECT_EQ(c.get_dest_rect(), Rect(4, 5, 4, 5));
	EXPECT_EQ(skane::MouseCaptureLost().get_dest_rect(), Rect());
	EXPECT_EQ(skane::WindowBase::delay_to_us(0.0333f), 33300);
	EXPECT_EQ(skane::WindowBase::delay_to_us(0.05f), 50000);
}

TEST_F(WindowFixture, CloseReleasesTheCapture)
{
	MouseCapture ca(a, MouseCapture::TrackingType_PLAIN);
	up(a, ca);
	log.clear();
	win.close();
	EXPECT_EQ(win.get_mouse_capturer(), nullptr);
	EXPECT_EQ(log.back(), "a Lost");
}
