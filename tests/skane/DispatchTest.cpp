// A control's dispatch: listeners around every message, activation on a
// press, value changes passed through the listeners.
#include "RecordingControl.h"

#include "skane/Invalidate.h"

#include <gtest/gtest.h>

using skane::Coord2D;
using skane::Rect;
using skane_test::RecordingControl;

namespace
{

struct SpyListener : skane::DefaultEventListener
{
	std::string name;
	std::vector<std::string> *log;
	bool allow = true;
	double add = 0.0;
	SpyListener(const std::string &n, std::vector<std::string> *l) : name(n), log(l) {}
	void activate() override { log->push_back(name + " activate"); }
	bool can_num_val_be_changed(int p) override
	{
		log->push_back(name + " can " + std::to_string(p));
		return allow;
	}
	double change_num_val_user(double v, int) override
	{
		log->push_back(name + " user");
		return v + add;
	}
	double change_num_val_auto(double v, int) override
	{
		log->push_back(name + " auto");
		return v;
	}
	double change_num_val(double v, int) override
	{
		log->push_back(name + " change");
		return v;
	}
	void spy_message_pre(const skane::MessageInterface &) override { log->push_back(name + " pre"); }
	void spy_message_post(const skane::MessageInterface &) override { log->push_back(name + " post"); }
};

} // namespace

TEST(ControlDispatch, ListenersSeeEveryMessageAroundTheHandler)
{
	std::vector<std::string> log;
	RecordingControl c("c", Rect(0, 0, 10, 10), &log);
	SpyListener l1("l1", &log), l2("l2", &log);
	c.push_back_listener(&l1);
	c.push_back_listener(&l2);
	EXPECT_EQ(&l1.use_ci(), &c);

	skane::MouseClick press(Coord2D(1, 1), 1);
	c.send_message(press);
	EXPECT_EQ(log, (std::vector<std::string>{"l1 pre", "l2 pre", "l1 activate", "l2 activate", "c Click 1", "l1 post",
		"l2 post"}));
	EXPECT_TRUE(c.is_activated());

	// A release does not activate; a disabled control is not activated.
	RecordingControl d("d", Rect(0, 0, 10, 10), &log);
	d.disable();
	d.send_message(press);
	EXPECT_FALSE(d.is_activated());
	EXPECT_EQ(d.nbr_stops, 1);

	// Up-messages without a handler go to the father; unknown ones give -1.
	skane::Invalidate inv(Rect(0, 0, 1, 1));
	EXPECT_EQ(c.send_message(inv), -1);
	struct Other : skane::MessageInterface
	{
	} other;
	EXPECT_EQ(c.send_message(other), -1);
}

TEST(ControlDispatch, ValueChangesPassThroughListeners)
{
	std::vector<std::string> log;
	RecordingControl c("c", Rect(0, 0, 10, 10), &log);
	SpyListener l1("l1", &log), l2("l2", &log);
	l1.add = 0.25;
	l2.add = 0.125;
	c.push_back_listener(&l1);
	c.push_back_listener(&l2);
	EXPECT_TRUE(c.set_val_user(0.5, 200));
	EXPECT_DOUBLE_EQ(c.get_val(), 0.875);
	EXPECT_EQ(log, (std::vector<std::string>{"l1 can 200", "l2 can 200", "l1 user", "l2 user", "l1 change",
		"l2 change"}));

	log.clear();
	EXPECT_TRUE(c.set_val_auto(0.1, 1));
	EXPECT_DOUBLE_EQ(c.get_val(), 0.1);
	EXPECT_EQ(log[2], "l1 auto");

	// The first refusal stops the asking and the gesture.
	log.clear();
	l1.allow = false;
	EXPECT_FALSE(c.set_val_user(0.9, 200));
	EXPECT_DOUBLE_EQ(c.get_val(), 0.1);
	EXPECT_EQ(log, (std::vector<std::string>{"l1 can 200"}));
	EXPECT_EQ(c.nbr_stops, 1);
	EXPECT_FALSE(c.reserve_val(200));
}

TEST(ControlDispatch, ListenerListChangeDuringDispatchThrows)
{
	RecordingControl c("c", Rect(0, 0, 10, 10));
	struct Meddler : skane::DefaultEventListener
	{
		skane::DefaultEventListener other;
		bool threw = false;
		void spy_message_pre(const skane::MessageInterface &) override
		{
			try
			{
				use_ci().push_back_listener(&other);
			}
			catch (int)
			{
				threw = true;
			}
		}
	} m;
	c.set_listener(&m);
	skane::MouseClick press(Coord2D(1, 1), 1);
	c.send_message(press);
	EXPECT_TRUE(m.threw);
	EXPECT_EQ(c.get_nbr_listeners(), 1);
	// Outside a dispatch the same change is fine, and unique keeps one copy.
	c.push_back_listener_unique(&m.other);
	c.push_back_listener_unique(&m.other);
	EXPECT_EQ(c.get_nbr_listeners(), 2);
	c.set_listener(nullptr);
	EXPECT_EQ(c.get_listener(), nullptr);
}

TEST(ControlDispatch, HidingStopsTheGesture)
{
	RecordingControl c("c", Rect(0, 0, 10, 10));
	skane::ShowObject show(skane::MessageDown::BROADCAST, true), hide(skane::MessageDown::BROADCAST, false);
	c.send_message(show);
	EXPECT_EQ(c.nbr_stops, 0);
	c.send_message(hide);
	EXPECT_EQ(c.nbr_stops, 1);
	EXPECT_FALSE(c.is_shown());
}
