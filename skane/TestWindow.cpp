#include "skane/TestWindow.h"

#include "skane/ClearTimer.h"
#include "skane/Invalidate.h"
#include "skane/MenuRequest.h"
#include "skane/MenuStop.h"
#include "skane/MouseRelease.h"
#include "skane/SetTimer.h"
#include "skane/TestClock.h"
#include "skane/TextInputRequest.h"
#include "skane/TextInputStop.h"

#include <algorithm>

namespace skane
{

namespace
{

std::string describe(const MessageInterface &msg)
{
	auto num = [](long long v) { return std::to_string(v); };
	if (const auto *m = dynamic_cast<const Invalidate *>(&msg))
	{
		const Rect &z = m->get_zone();
		return "Invalidate " + num(z.x0) + " " + num(z.y0) + " " + num(z.x1) + " " + num(z.y1);
	}
	if (const auto *m = dynamic_cast<const MouseCapture *>(&msg))
		return "MouseCapture " + num(m->get_tracking_type());
	if (const auto *m = dynamic_cast<const MouseRelease *>(&msg))
		return "MouseRelease " + num(m->get_new_pos().x) + " " + num(m->get_new_pos().y);
	if (const auto *m = dynamic_cast<const SetTimer *>(&msg))
		return "SetTimer " + num(WindowBase::delay_to_us(m->get_delay()));
	if (dynamic_cast<const ClearTimer *>(&msg) != nullptr)
		return "ClearTimer";
	if (dynamic_cast<const TextInputRequest *>(&msg) != nullptr)
		return "TextInputRequest";
	if (const auto *m = dynamic_cast<const TextInputStop *>(&msg))
		return std::string("TextInputStop ") + (m->is_validated() ? "1" : "0");
	if (dynamic_cast<const MenuRequest *>(&msg) != nullptr)
		return "MenuRequest";
	if (dynamic_cast<const MenuStop *>(&msg) != nullptr)
		return "MenuStop";
	return "Other";
}

} // namespace

int TestWindow::send_message(MessageInterface &msg)
{
	const std::string what = describe(msg);
	const int ret = WindowBase::send_message(msg);
	_log.push_back(what + (ret == 0 ? "" : " -> " + std::to_string(ret)));
	return ret;
}

void TestWindow::do_invalidate(const Rect &zone)
{
	if (_damage.is_empty())
		_damage = zone;
	else
		_damage = Rect(std::min(_damage.x0, zone.x0), std::min(_damage.y0, zone.y0), std::max(_damage.x1, zone.x1),
			std::max(_damage.y1, zone.y1));
}

void TestWindow::flush_redraw()
{
	const Rect d = _damage;
	_damage = Rect();
	if (!d.is_empty())
		split_redraw(d);
}

void TestWindow::do_warp_pointer(const Coord2D &pos)
{
	_pointer = pos;
	_warps.push_back(pos);
}

int TestWindow::do_start_timer(int id, long long period_us)
{
	if (_fail_timers || period_us <= 0)
		return -1;
	_running[id] = TimerRec{period_us, TestClock::now(), 0};
	return 0;
}

void TestWindow::advance(double dt)
{
	const double end = TestClock::now() + dt;
	for (;;)
	{
		int id = 0;
		double when = end;
		bool found = false;
		for (const auto &[tid, rec] : _running)
			if (rec.next() <= when && (!found || rec.next() < when))
			{
				id = tid;
				when = rec.next();
				found = true;
			}
		if (!found)
			break;
		TimerRec &rec = _running[id];
		TestClock::set(std::max(TestClock::now(), rec.next()));
		++rec.count;
		process_timer_tick(id);
	}
	TestClock::set(end);
}

} // namespace skane
