#include "skane/PotBehaviour.h"

#include "skane/ClearTimer.h"
#include "skane/ControlInterface.h"
#include "skane/MouseCapture.h"
#include "skane/MouseRelease.h"
#include "skane/PersistentMouseSettings.h"
#include "skane/SetTimer.h"
#include "sys/TimeStamp.h"

#include <algorithm>
#include <cmath>

namespace skane
{

namespace
{

constexpr double PI = 3.14159265358979323846;
constexpr int SECONDARY_TRAVEL_MAX = 16;

} // namespace

PotBehaviour::PotBehaviour(ControlInterface &control)
:	_control(control)
{
}

int PotBehaviour::start(int mode, int tracking_type, double value)
{
	stop();
	_mode = mode;
	MouseCapture cap(_control, static_cast<MouseCapture::TrackingType>(tracking_type));
	int ret = _control.send_message(cap);
	if (ret != 0)
	{
		stop();
		return ret;
	}
	_captured = true;
	_last_time = sys::get_time_stamp();
	int id = -1;
	SetTimer timer(_control, TIMER_DELAY, id);
	ret = _control.send_message(timer);
	if (ret != 0)
	{
		stop();
		return ret;
	}
	_timer_id = id;
	_raw_target = value;
	_snapped_target = value;
	_attraction_speed = 0.0;
	_moving = false;
	return 0;
}

int PotBehaviour::start_dragging(double value)
{
	_compatible = PersistentMouseSettings::get_instance().get_mouse_behaviour()
		== PersistentMouseSettings::MouseBehaviour_COMPATIBLE;
	const int ret = start(Mode_DRAGGING, _compatible ? MouseCapture::TrackingType_PLAIN
		: MouseCapture::TrackingType_RELATIVE, value);
	if (ret != 0)
		return ret;
	_first_move = true;
	_axis_mode = 0;
	_smooth_primary = 1.0f;
	_smooth_secondary = 0.0f;
	_secondary_travel = 0;
	_last_distance = 0.0;
	return 0;
}

int PotBehaviour::start_attracting(double value)
{
	const int ret = start(Mode_ATTRACTING, MouseCapture::TrackingType_PLAIN, value);
	_uniform = false;
	return ret;
}

void PotBehaviour::drag_record_mouse_move(int d_primary, int d_secondary, int pixels, double xy_rate)
{
	if (_first_move)
	{
		_first_move = false;
		_last_abs[0] = d_primary;
		_last_abs[1] = d_secondary;
		if (_compatible)
			return;
	}
	else if (_compatible)
	{
		const int dp = d_primary - _last_abs[0];
		const int ds = d_secondary - _last_abs[1];
		_last_abs[0] = d_primary;
		_last_abs[1] = d_secondary;
		d_primary = dp;
		d_secondary = ds;
	}
	if (d_primary == 0 && d_secondary == 0)
		return;

	const float ap = static_cast<float>(std::abs(d_primary));
	const float as = static_cast<float>(std::abs(d_secondary));
	_smooth_primary += 0.9f * (ap - _smooth_primary);
	_smooth_secondary += 0.9f * (as - _smooth_secondary);
	const double angle = std::fabs(_smooth_secondary) < 1e-9f ? PI : std::atan(_smooth_primary / _smooth_secondary);
	if (_axis_mode == 1 && angle >= 3 * PI / 8)
	{
		_axis_mode = 0;
		_secondary_travel = 0;
	}
	else if (_axis_mode == 0 && angle < PI / 8)
		_axis_mode = 1;

	double delta;
	if (_axis_mode == 1)
	{
		delta = xy_rate * d_secondary;
		const bool was_within = _secondary_travel <= SECONDARY_TRAVEL_MAX;
		_secondary_travel += std::abs(d_secondary);
		if (was_within && _secondary_travel > SECONDARY_TRAVEL_MAX)
			_raw_target = _snapped_target;
	}
	else
		delta = d_primary;
	delta /= std::max(pixels, 1);
	drag_move_target_val(delta);
}

void PotBehaviour::drag_move_target_val(double delta)
{
	// Past an end, a reversal starts again from the end (no dead zone).
	if (_raw_target > 1.0 && delta < 0.0)
		_raw_target = 1.0 + delta;
	else if (_raw_target < 0.0 && delta > 0.0)
		_raw_target = delta;
	else
		_raw_target += delta;
	update_snapped();
}

void PotBehaviour::drag_set_target_val(double val)
{
	_raw_target = val;
	_snapped_target = val;
}

void PotBehaviour::update_snapped()
{
	if (_secondary_travel <= SECONDARY_TRAVEL_MAX)
		_snapped_target = find_nearest_notch(_raw_target, _snapped_target);
	else
		_snapped_target = _raw_target;
}

double PotBehaviour::find_nearest_notch(double raw, double previous) const
{
	if (_notches == nullptr || _notches->empty())
		return raw;
	const double v = std::clamp(raw, 0.0, 1.0);
	double best = -1.0;
	double prev_dist = 999999.0;
	if (previous >= 0.0 && previous <= 1.0)
	{
		best = previous;
		prev_dist = std::fabs(v - previous);
	}
	double best_notch_dist = 999999.0;
	for (double n : *_notches)
	{
		const double d = std::fabs(v - n);
		if (d < best_notch_dist && 3.0 * d < prev_dist)
		{
			best = n;
			best_notch_dist = d;
		}
	}
	return best;
}

void PotBehaviour::drag(double &value, double now)
{
	const double old = value;
	const double d = _snapped_target - value;
	const double ad = std::fabs(d);
	if (ad > 1e-6)
	{
		double rate = 3.0;
		if (ad * 1.5 < _last_distance)
			rate = 3.0 * (_last_distance / ad);
		value += d * (1.0 - std::exp(-2.0 * PI * rate * (now - _last_time)));
	}
	else
		value = _snapped_target;
	value = std::clamp(value, 0.0, 1.0);
	_last_distance = ad;
	_last_time = now;
	_moving = value != old;
}

void PotBehaviour::attract(double &value, double now, double speed)
{
	const double old = value;
	const double dt = now - _last_time;
	if (std::fabs(_attraction_speed) < 1e-6 && std::fabs(8.0 * speed) < 1e-9)
		_attraction_speed = 0.0;
	if (!_uniform)
	{
		const double damping = std::fabs(speed) >= 1e-9 ? 64.0 : 1.0;
		const double next = _attraction_speed + 8.0 * (speed - _attraction_speed) * dt / damping;
		_attraction_speed = std::clamp(next, std::min(_attraction_speed, speed), std::max(_attraction_speed, speed));
	}
	else if (std::fabs(speed) >= 1e-9)
		_attraction_speed = speed;
	value = std::clamp(value + _attraction_speed * dt, 0.0, 1.0);
	_last_time = now;
	_moving = value != old;
}

void PotBehaviour::stop()
{
	if (_timer_id >= 0)
	{
		ClearTimer clear(_timer_id);
		_timer_id = -1;
		_control.send_message(clear);
	}
	stop_mouse_capture();
	_mode = Mode_IDLE;
	_uniform = false;
	_moving = false;
}

void PotBehaviour::stop_mouse_capture()
{
	if (!_captured)
		return;
	_captured = false;
	MouseRelease rel(_control, _control.get_coord() + _release_pos);
	_control.send_message(rel);
}

} // namespace skane
