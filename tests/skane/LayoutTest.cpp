// Routing through splits and control groups.
#include "RecordingControl.h"

#include "skane/BackgroundItem.h"
#include "skane/BackgroundSplit.h"
#include "skane/PicData24.h"
#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/Invalidate.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/MouseClick.h"
#include "skane/ShowObject.h"

#include <gtest/gtest.h>

using skane::Coord2D;
using skane::CtrlGroupItem;
using skane::CtrlGroupSplit;
using skane::Rect;
using skane_test::RecordingControl;

namespace
{

// Four column bands of widths 10, 20, 30, 40 starting at x = 5, each with
// one control covering its band (0..100 high).
struct Columns
{
	std::vector<std::string> log;
	CtrlGroupSplit split{CtrlGroupSplit::Type_COLUMNS};
	CtrlGroupItem items[4];
	std::vector<std::unique_ptr<RecordingControl>> controls;

	Columns()
	{
		const int widths[] = {10, 20, 30, 40};
		for (int i = 0; i < 4; ++i)
		{
			controls.push_back(std::make_unique<RecordingControl>(
				std::string(1, 'c').append(std::to_string(i)), Rect(0, 0, widths[i], 100), &log));
			items[i].push_back(*controls.back());
			split.push_back(items[i], widths[i]);
		}
		split.refresh_coord(Coord2D(5, 0));
		log.clear();
	}
	int click(int x, int y)
	{
		skane::MouseClick c(Coord2D(x, y), 1);
		return split.send_message(c);
	}
};

} // namespace

TEST(SPTreeSplit, PlacesBandsAndFindsThem)
{
	Columns t;
	EXPECT_EQ(t.split.get_total_offset_to(2), 30);
	EXPECT_EQ(t.items[2].get_coord2D(), Coord2D(35, 0));
	EXPECT_EQ(t.controls[3]->get_coord(), Coord2D(65, 0));
	EXPECT_EQ(t.split.get_subdiv_index_by_coord(Coord2D(5, 0)), 0);
	// A point on a shared edge belongs to the later band.
	EXPECT_EQ(t.split.get_subdiv_index_by_coord(Coord2D(15, 0)), 1);
	EXPECT_EQ(t.split.get_subdiv_index_by_coord(Coord2D(14, 0)), 0);
	// Beyond the last band: the last band; before the first: the first.
	EXPECT_EQ(t.split.get_subdiv_index_by_coord(Coord2D(500, 0)), 3);
	EXPECT_EQ(t.split.get_subdiv_index_by_coord(Coord2D(-50, 0)), 0);
	EXPECT_EQ(CtrlGroupSplit(0).get_subdiv_index_by_coord(Coord2D()), -1);
}

TEST(SPTreeSplit, AreaReachesExactlyTheBandsItSpans)
{
	Columns t;
	skane::MemoryRenderingBuffer buf(Coord2D(8, 8));
	skane::Redraw rd(buf, Rect(12, 10, 40, 20));   // bands 0, 1, 2
	t.split.send_message(rd);
	EXPECT_EQ(t.log, (std::vector<std::string>{"c0 Redraw", "c1 Redraw", "c2 Redraw"}));

	// An area ending exactly on a band edge does not reach the next band.
	t.log.clear();
	skane::Redraw rd2(buf, Rect(15, 0, 35, 5));
	t.split.send_message(rd2);
	EXPECT_EQ(t.log, (std::vector<std::string>{"c1 Redraw"}));

	t.log.clear();
	EXPECT_EQ(t.click(36, 50), 0);
	EXPECT_EQ(t.log, (std::vector<std::string>{"c2 Click 1"}));
	t.log.clear();
	t.click(400, 50);   // routed to the last band, whose control misses it
	EXPECT_TRUE(t.log.empty());
}

TEST(SPTreeSplit, ChangingBandsDuringDistributionEndsIt)
{
	Columns t;
	// A handler that adds a band while a broadcast is being distributed.
	struct Adder : RecordingControl
	{
		CtrlGroupSplit *split = nullptr;
		CtrlGroupItem extra;
		Adder(std::vector<std::string> *log) : RecordingControl("adder", Rect(0, 0, 10, 100), log) {}
		int redraw(skane::Redraw &m) override
		{
			RecordingControl::redraw(m);
			split->push_back(extra, 5);
			return 0;
		}
	};
	Adder adder(&t.log);
	adder.split = &t.split;
	t.items[1].erase(0);
	t.items[1].push_back(adder);
	t.split.refresh_child_coord();
	t.log.clear();
	skane::MemoryRenderingBuffer buf(Coord2D(8, 8));
	skane::Redraw rd(buf, skane::MessageDown::BROADCAST);
	t.split.send_message(rd);
	EXPECT_EQ(t.log, (std::vector<std::string>{"c0 Redraw", "adder Redraw"}));
	EXPECT_EQ(t.split.get_nbr_subdivs(), 5);
}

TEST(SPTreeSplit, UpMessageWithoutFatherGoesNowhere)
{
	Columns t;
	skane::Invalidate inv(Rect(0, 0, 1, 1));
	EXPECT_EQ(t.split.send_message(inv), -1);
	EXPECT_EQ(t.controls[0]->send_to_father(inv), -1);
}

TEST(SPTreeSplit, BandAddedUnderHiddenSplitStartsHidden)
{
	Columns t;
	skane::ShowObject hide(skane::MessageDown::BROADCAST, false);
	t.split.send_message(hide);
	EXPECT_FALSE(t.items[0].is_shown());
	EXPECT_FALSE(t.controls[0]->is_shown());
	CtrlGroupItem late;
	RecordingControl c("late", Rect(0, 0, 5, 5));
	late.push_back(c);
	EXPECT_TRUE(c.is_shown());
	t.split.push_back(late, 10);
	EXPECT_FALSE(late.is_shown());
	EXPECT_FALSE(c.is_shown());
}

TEST(CtrlGroupItem, PointReachesFirstHitAreaReachesAll)
{
	std::vector<std::string> log;
	CtrlGroupItem group;
	RecordingControl a("a", Rect(0, 0, 20, 20), &log), b("b", Rect(-10, -10, 10, 10), &log);
	a.set_rel_coord(Coord2D(10, 10));
	b.set_rel_coord(Coord2D(25, 25));
	group.push_back(a);
	group.push_back(b);
	group.refresh_coord(Coord2D(100, 0));
	EXPECT_EQ(b.get_coord(), Coord2D(125, 25));
	log.clear();

	skane::MouseClick both(Coord2D(117, 17), 1);   // inside a and b
	group.send_message(both);
	skane::MouseClick only_b(Coord2D(132, 32), 1);
	group.send_message(only_b);
	EXPECT_EQ(log, (std::vector<std::string>{"a Click 1", "b Click 1"}));

	log.clear();
	skane::MemoryRenderingBuffer buf(Coord2D(4, 4));
	skane::Redraw rd(buf, Rect(116, 16, 118, 18));
	group.send_message(rd);
	EXPECT_EQ(log, (std::vector<std::string>{"a Redraw", "b Redraw"}));
	// Touching only at an edge is no overlap.
	log.clear();
	skane::Redraw edge(buf, Rect(130, 0, 140, 15));
	group.send_message(edge);
	EXPECT_TRUE(log.empty());

	EXPECT_EQ(group.erase(a), 1);
	EXPECT_EQ(group.erase(a), -1);
	EXPECT_EQ(a.get_father(), nullptr);
}

TEST(BackgroundItem, DrawsItsPictureAtItsOrigin)
{
	skane::AlphaRGB pix[4] = {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}};
	auto data = std::make_shared<skane::PicData24>(Coord2D(2, 2), pix);
	skane::BackgroundSplit split(skane::BackgroundSplit::Type_ROWS);
	skane::BackgroundItem top, bottom;
	top.set_picture(skane::Picture(data));
	bottom.set_picture(skane::Picture(data));
	split.push_back(top, 2);
	split.push_back(bottom, 2);
	split.refresh_coord(Coord2D(0, 0));
	skane::MemoryRenderingBuffer buf(Coord2D(2, 2));
	// The tile (0, 2)-(2, 4) is the bottom band: its picture's first row.
	skane::Redraw rd(buf, Rect(0, 2, 2, 4));
	split.send_message(rd);
	EXPECT_EQ(buf.at(0, 0), pix[0]);
	EXPECT_EQ(buf.at(1, 1), pix[3]);
}
