#include "skane/PushButton.h"

#include "skane/ClearTimer.h"
#include "skane/MouseClick.h"
#include "skane/Notify.h"
#include "skane/Redraw.h"
#include "skane/SetTimer.h"
#include "sys/TimeStamp.h"

namespace skane
{

namespace
{

constexpr float ANIM_TIMER_DELAY = 0.03f;

} // namespace

int PushButton::start_anim_timer()
{
	int id = -1;
	SetTimer timer(*this, ANIM_TIMER_DELAY, id);
	const int ret = send_message(timer);
	if (ret == 0)
		_timer_id = id;
	return ret;
}

void PushButton::clear_anim_timer()
{
	if (_timer_id < 0)
		return;
	ClearTimer clear(_timer_id);
	_timer_id = -1;
	send_message(clear);
}

void PushButton::stop_user_action()
{
	clear_anim_timer();
}

int PushButton::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0 || !is_enable())
		return 0;
	stop_user_action();
	send_custom_event(CustomEvent_PUSH_BUTTON_PRESSED, nullptr);
	_start_time = sys::get_time_stamp();
	_anim_pos = 0.0;
	start_anim_timer();
	return 0;
}

int PushButton::notify(Notify &msg)
{
	if (msg.get_id() != _timer_id)
		return 0;
	const double t = sys::get_time_stamp() - _start_time;
	const double tt = _transition_time;
	if (t >= tt)
	{
		_anim_pos = 0.0;
		stop_user_action();
	}
	else if (t > tt / 2)
		_anim_pos = 2.0 * (1.0 - t / tt);
	else
		_anim_pos = 2.0 * t / tt;
	refresh_display();
	return 0;
}

void PushButton::draw_frames(Redraw &rd, double position)
{
	int index;
	float next;
	_frames.select(position, index, next);
	const ButtonFrames::ButtonFrame *f = _frames.get(index);
	if (f != nullptr && f->set)
		draw_pic(rd, f->pic);
	const ButtonFrames::ButtonFrame *g = _frames.get(index + 1);
	if (next > 0.0f && g != nullptr && g->set)
		draw_pic_alpha(rd, g->pic, next);
}

int PushButton::redraw(Redraw &rd)
{
	if (_graduation.is_set())
		draw_pic(rd, _graduation);
	draw_frames(rd, _anim_pos);
	if (_selection.is_set() && is_activated())
		draw_pic(rd, _selection);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
