#include "skane/Spin.h"

#include "skane/ClearTimer.h"
#include "skane/MouseCapture.h"
#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/MouseRelease.h"
#include "skane/Notify.h"
#include "skane/PersistentMouseSettings.h"
#include "skane/Redraw.h"
#include "skane/SetTimer.h"
#include "sys/TimeStamp.h"

#include <algorithm>

namespace skane
{

void Spin::set_up_button_pic(const Picture &released, const Picture &pressed)
{
	_up = Button{released, pressed};
}

void Spin::remove_up_button_pic()
{
	_up = Button();
}

void Spin::set_down_button_pic(const Picture &released, const Picture &pressed)
{
	_down = Button{released, pressed};
}

void Spin::remove_down_button_pic()
{
	_down = Button();
}

void Spin::set_handle_pic(const Picture &released, const Picture &pressed)
{
	_handle = Button{released, pressed};
}

void Spin::remove_handle_pic()
{
	_handle = Button();
}

void Spin::step(double delta)
{
	set_val_user(std::clamp(get_val() + delta, 0.0, 1.0), Priority_USER);
}

int Spin::start_timer(double delay)
{
	int id = -1;
	SetTimer timer(*this, static_cast<float>(delay), id);
	const int ret = send_message(timer);
	if (ret == 0)
		_timer_id = id;
	return ret;
}

void Spin::clear_timer_if_any()
{
	if (_timer_id < 0)
		return;
	ClearTimer clear(_timer_id);
	_timer_id = -1;
	send_message(clear);
}

void Spin::stop_user_action()
{
	_button_state = 0;
	clear_timer_if_any();
	_phase = 0;
	_rearmed = false;
	if (_captured)
	{
		_captured = false;
		MouseRelease rel(*this, _click_pos);
		send_message(rel);
	}
}

int Spin::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0)
	{
		stop_user_action();
		invalidate_all();
		return 0;
	}
	if (!is_enable())
		return 0;
	stop_user_action();
	_click_pos = msg.get_pos();
	const Coord2D rel = msg.get_pos() - get_coord();
	const bool on_up = _up.released.check_point(rel);
	const bool on_down = _down.released.check_point(rel);
	const bool on_handle = _handle.released.check_point(rel);
	if ((_handle_on_top && on_handle) || (!_handle_on_top && !on_up && !on_down && on_handle))
	{
		_button_state = ButtonState_HANDLE;
		_relative = PersistentMouseSettings::get_instance().get_mouse_behaviour()
			== PersistentMouseSettings::MouseBehaviour_ENHANCED;
		MouseCapture cap(*this, _relative ? MouseCapture::TrackingType_RELATIVE : MouseCapture::TrackingType_PLAIN);
		if (send_message(cap) == 0)
			_captured = true;
		_first_move = true;
	}
	else if (on_up || on_down)
	{
		MouseCapture cap(*this, MouseCapture::TrackingType_PLAIN);
		if (send_message(cap) == 0)
			_captured = true;
		if (start_timer(_quick_repeat_time) == 0)
			_press_time = sys::get_time_stamp();
		_button_state = on_up ? ButtonState_UP : ButtonState_DOWN;
		step(on_up ? _quick_step : -_quick_step);
	}
	invalidate_all();
	return 0;
}

int Spin::mouse_move(MouseMove &msg)
{
	if (_button_state != ButtonState_HANDLE)
		return 0;
	int dy;
	if (_relative)
		dy = -msg.get_pos().y;
	else
	{
		if (_first_move)
		{
			_first_move = false;
			_last_y = msg.get_pos().y;
			return 0;
		}
		dy = _last_y - msg.get_pos().y;
		_last_y = msg.get_pos().y;
	}
	if (dy != 0)
		step(_mouse_step * dy);
	return 0;
}

int Spin::mouse_capture_lost(MouseCaptureLost &)
{
	_captured = false;
	return 0;
}

int Spin::notify(Notify &msg)
{
	if (msg.get_id() != _timer_id || (_button_state != ButtonState_UP && _button_state != ButtonState_DOWN))
		return 0;
	const double t = sys::get_time_stamp() - _press_time;
	double delta = 0.0;
	if (_phase == 0)
	{
		if (t > _quick_mode_time)
			_phase = 1;
		return 0;
	}
	if (_phase == 1)
	{
		if (t > _very_quick_mode_time)
			_phase = 2;
		delta = _quick_step;
	}
	else
	{
		if (!_rearmed)
		{
			_rearmed = true;
			clear_timer_if_any();
			start_timer(_very_quick_repeat_time);
		}
		delta = _very_quick_step;
	}
	step(_button_state == ButtonState_UP ? delta : -delta);
	return 0;
}

void Spin::draw_button(Redraw &rd, const Button &b, bool pressed)
{
	const Picture &p = pressed && b.pressed.is_set() ? b.pressed : b.released;
	if (p.is_set())
		draw_pic(rd, p);
}

int Spin::redraw(Redraw &rd)
{
	if (_graduation.is_set())
		draw_pic(rd, _graduation);
	const bool handle_pressed = (_button_state & ButtonState_HANDLE) != 0;
	if (!_handle_on_top)
		draw_button(rd, _handle, handle_pressed);
	draw_button(rd, _up, (_button_state & ButtonState_UP) != 0);
	draw_button(rd, _down, (_button_state & ButtonState_DOWN) != 0);
	if (_handle_on_top)
		draw_button(rd, _handle, handle_pressed);
	if (_selection.is_set() && is_activated())
		draw_pic(rd, _selection);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
