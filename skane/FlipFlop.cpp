#include "skane/FlipFlop.h"

#include "skane/MouseClick.h"
#include "skane/Notify.h"
#include "skane/Redraw.h"
#include "sys/TimeStamp.h"

#include <algorithm>
#include <cmath>

namespace skane
{

int FlipFlop::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0 || !is_enable())
		return 0;
	stop_user_action();
	const double old = std::floor(get_val() + 0.5);
	_anim_pos = std::clamp(get_val(), 0.0, 1.0);
	_start_time = sys::get_time_stamp();
	if (_transition_time >= 1e-9)
		start_anim_timer();
	if (set_val_user(1.0 - old, Priority_USER) && _transition_time < 1e-9)
		_anim_pos = 1.0 - old;
	refresh_display();
	return 0;
}

int FlipFlop::notify(Notify &msg)
{
	if (msg.get_id() != _timer_id)
		return 0;
	const double t = sys::get_time_stamp() - _start_time;
	const double tt = _transition_time;
	if (t < tt)
	{
		if (_undirect)
			_anim_pos = t / tt;
		else
			_anim_pos = get_val() < 0.5 ? 1.0 - t / tt : t / tt;
	}
	else
	{
		_anim_pos = std::clamp(get_val(), 0.0, 1.0);
		clear_anim_timer();
	}
	refresh_display();
	return 0;
}

int FlipFlop::redraw(Redraw &rd)
{
	if (_graduation.is_set())
		draw_pic(rd, _graduation);
	draw_frames(rd, is_animating() ? _anim_pos : std::clamp(get_val(), 0.0, 1.0));
	if (_selection.is_set() && is_activated())
		draw_pic(rd, _selection);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
