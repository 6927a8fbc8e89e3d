#include "skane/Knob.h"

#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/Redraw.h"
#include "sys/TimeStamp.h"

#include <algorithm>
#include <cmath>

namespace skane
{

namespace
{

constexpr double TWO_PI = 6.28318530717958647692;

} // namespace

void Knob::set_angles(float base, float span)
{
	_angle_base = base;
	_angle_span = span;
	invalidate_all();
}

void Knob::set_spot_shadow_offset(float x, float y)
{
	_shadow_dx = x;
	_shadow_dy = y;
}

void Knob::set_nbr_button_frames(int nbr)
{
	nbr = std::max(nbr, 0);
	_frames.resize(nbr);
	_nbr_frames = nbr;
}

void Knob::set_button_pic(int index, const Picture &pic)
{
	if (index >= 0 && index < _nbr_frames)
		_frames[index] = ButtonFrame{pic, true};
}

void Knob::remove_button_pic(int index)
{
	if (index >= 0 && index < _nbr_frames)
		_frames[index] = ButtonFrame();
}

double Knob::get_angle(double value) const
{
	return (value * _angle_span + _angle_base) * TWO_PI;
}

void Knob::get_button_frame(double value, int &index, double &rotation) const
{
	index = 0;
	rotation = 0.0;
	if (_nbr_frames <= 0 || _button_angle_per == 0.0f)
		return;
	const double turns = get_angle(value) / TWO_PI;
	const double f = (turns - _button_angle_base) / _button_angle_per + 0.5 / _nbr_frames;
	const double fr = f - std::floor(f);
	index = std::clamp(static_cast<int>(std::floor(fr * _nbr_frames)), 0, _nbr_frames - 1);
	rotation = ((fr * _nbr_frames - index) - 0.5) * (static_cast<double>(_button_angle_per) / _nbr_frames) * TWO_PI;
}

Rect Knob::get_ref_rect() const
{
	if (_nbr_frames > 0 && _frames[0].set)
	{
		const Picture &p = _frames[0].pic;
		const Coord2D tl = get_coord() - p.get_hot();
		return Rect(tl, tl + p.get_pic_size());
	}
	return get_box() + get_coord();
}

int Knob::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0)
	{
		end_press();
		return 0;
	}
	if (!can_start_gesture())
		return 0;
	begin_press();

	const Rect ref = get_ref_rect();
	int side = 0;
	if (ref.width() > 0 && ref.height() > 0)
	{
		const double u = static_cast<double>(msg.get_pos().x - ref.x0) / ref.width();
		const double v = static_cast<double>(msg.get_pos().y - ref.y0) / ref.height();
		const int span_sign = _angle_span < 0.0f ? -1 : 1;
		if (v > 2.0 / 3.0 + u)
			side = span_sign;
		else if (v > 5.0 / 3.0 - u)
			side = -span_sign;
	}
	int ret;
	if (side == 0)
		ret = _pot.start_dragging(get_val());
	else
	{
		_click_pos = msg.get_pos();
		_side_speed_in_use = static_cast<double>(_side_click_speed) * side;
		ret = _pot.start_attracting(get_val());
	}
	if (ret != 0)
		_held = false;
	invalidate_all();
	return 0;
}

int Knob::mouse_move(MouseMove &msg)
{
	if (_released || !_held)
		return 0;
	if (_pot.get_mode() == PotBehaviour::Mode_DRAGGING)
	{
		_pot.drag_record_mouse_move(-msg.get_pos().y, msg.get_pos().x, _height, _xy_rate);
		const double old = get_val();
		double v = old;
		_pot.drag(v, sys::get_time_stamp());
		if (v != old)
			set_val_user(v, Priority_USER);
	}
	else if (_pot.get_mode() == PotBehaviour::Mode_ATTRACTING)
	{
		const int d = msg.get_pos().x - _click_pos.x;
		if (std::abs(d) > 4)
		{
			_side_speed_in_use = std::abs(d) * static_cast<double>(_side_click_speed) * d / 65536.0;
			_pot.attract_set_uniform_mvt();
		}
	}
	return 0;
}

int Knob::redraw(Redraw &rd)
{
	const double theta = get_angle(get_val());
	if (_graduation.is_set())
		draw_pic(rd, _graduation);
	if (_nbr_frames > 0)
	{
		int index;
		double rot;
		get_button_frame(get_val(), index, rot);
		if (_frames[index].set)
		{
			if (_rotating_button)
				draw_pic_rotate(rd, _frames[index].pic, 0.0f, 0.0f, static_cast<float>(rot));
			else
				draw_pic(rd, _frames[index].pic);
		}
	}
	const float sx = static_cast<float>(std::cos(theta) * _radius);
	const float sy = static_cast<float>(-std::sin(theta) * _radius);
	const float angle = static_cast<float>(theta);
	if (_spot_shadow.is_set())
	{
		if (_rotating_spot)
			draw_pic_rotate(rd, _spot_shadow, sx + _shadow_dx, sy + _shadow_dy, angle);
		else
			draw_pic_subpix(rd, _spot_shadow, sx + _shadow_dx, sy + _shadow_dy);
	}
	if (_spot.is_set())
	{
		if (_rotating_spot)
			draw_pic_rotate(rd, _spot, sx, sy, angle);
		else
			draw_pic_subpix(rd, _spot, sx, sy);
	}
	if (_selection.is_set() && is_activated())
		draw_pic(rd, _selection);
	if (_arrow.is_set() && is_dragging())
		draw_pic(rd, _arrow);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
