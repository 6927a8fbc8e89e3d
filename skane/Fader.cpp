#include "skane/Fader.h"

#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/Redraw.h"
#include "sys/TimeStamp.h"

#include <cmath>
#include <cstdlib>

namespace skane
{

void Fader::set_direction(int direction)
{
	_direction = direction == Direction_HORIZONTAL ? Direction_HORIZONTAL : Direction_VERTICAL;
	if (_direction == Direction_HORIZONTAL)
	{
		_along = Coord2D(1, 0);
		_across = Coord2D(0, -1);
	}
	else
	{
		_along = Coord2D(0, -1);
		_across = Coord2D(1, 0);
	}
}

void Fader::get_button_pos(double value, double &x, double &y) const
{
	if (_direction == Direction_HORIZONTAL)
	{
		x = value * _amplitude;
		y = 0.0;
	}
	else
	{
		x = 0.0;
		y = _amplitude - value * _amplitude;
	}
}

Coord2D Fader::get_rounded_button_pos() const
{
	double x, y;
	get_button_pos(get_val(), x, y);
	return Coord2D(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

int Fader::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0)
	{
		_pot.set_mouse_release_pos(get_rounded_button_pos());
		end_press();
		return 0;
	}
	if (!can_start_gesture())
		return 0;
	begin_press();
	const Coord2D rel = msg.get_pos() - (get_coord() + get_rounded_button_pos());
	int ret;
	if (_button.is_set() && _button.check_point(rel))
	{
		_pot.set_mouse_release_pos(msg.get_pos() - get_coord());
		ret = _pot.start_dragging(get_val());
	}
	else
	{
		_click_pos = msg.get_pos();
		const double amp = _amplitude != 0 ? _amplitude : 1;
		_side_speed_in_use = (dot_along(rel) + 0.5) * _side_click_speed / amp;
		ret = _pot.start_attracting(get_val());
	}
	if (ret != 0)
		_held = false;
	invalidate_all();
	return 0;
}

int Fader::mouse_move(MouseMove &msg)
{
	if (_released || !_held)
		return 0;
	const Coord2D &p = msg.get_pos();
	if (_pot.get_mode() == PotBehaviour::Mode_DRAGGING)
	{
		_pot.drag_record_mouse_move(dot_along(p), dot_across(p), _mouse_amp == -1 ? _amplitude : _mouse_amp, _xy_rate);
		const double old = get_val();
		double v = old;
		_pot.drag(v, sys::get_time_stamp());
		if (v != old)
			set_val_user(v, Priority_USER);
		_pot.set_mouse_release_pos(get_rounded_button_pos());
	}
	else if (_pot.get_mode() == PotBehaviour::Mode_ATTRACTING)
	{
		const int d = (_amplitude < 0 ? -1 : 1) * dot_along(p - _click_pos);
		if (std::abs(d) > 4)
		{
			_side_speed_in_use = std::abs(d) * static_cast<double>(_side_click_speed) * d / 65536.0;
			_pot.attract_set_uniform_mvt();
		}
	}
	return 0;
}

void Fader::draw_selection(Redraw &rd, const Coord2D &button)
{
	if (_selection.is_set() && is_activated())
		draw_pic(rd, _selection, _moving_selection ? button : Coord2D());
}

int Fader::redraw(Redraw &rd)
{
	double bx, by;
	get_button_pos(get_val(), bx, by);
	const Coord2D rounded = get_rounded_button_pos();
	if (_graduation.is_set())
		draw_pic(rd, _graduation);
	if (!_selection_to_top)
		draw_selection(rd, rounded);
	if (_button.is_set())
		draw_pic_subpix(rd, _button, static_cast<float>(bx), static_cast<float>(by));
	if (_arrow.is_set() && is_dragging())
		draw_pic(rd, _arrow, rounded);
	if (_selection_to_top)
		draw_selection(rd, rounded);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
