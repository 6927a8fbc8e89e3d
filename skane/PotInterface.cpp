#include "skane/PotInterface.h"

#include "skane/Notify.h"
#include "sys/TimeStamp.h"

namespace skane
{

PotInterface::PotInterface()
:	_pot(*this)
{
}

PotInterface::PotInterface(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
:	ControlInterface(pos, listener, value, size)
,	_pot(*this)
{
}

void PotInterface::set_graduation_pic(const Picture &pic)
{
	_graduation = pic;
	invalidate_all();
}

void PotInterface::remove_graduation_pic()
{
	_graduation = Picture();
	invalidate_all();
}

void PotInterface::set_selection_pic(const Picture &pic)
{
	_selection = pic;
	invalidate_all();
}

void PotInterface::remove_selection_pic()
{
	_selection = Picture();
	invalidate_all();
}

void PotInterface::set_notch_list(std::vector<double> &notches)
{
	_notches = notches;
	_pot.set_notch_list(_notches);
}

void PotInterface::remove_notch_list()
{
	_notches.clear();
	_pot.remove_notch_list();
}

void PotInterface::stop_user_action()
{
	const bool was_dragging = is_dragging();
	_pot.stop();
	_released = false;
	_held = false;
	if (was_dragging)
		invalidate_all();
}

bool PotInterface::can_start_gesture() const
{
	return is_enable() && (_pot.get_mode() == PotBehaviour::Mode_IDLE || _released);
}

void PotInterface::begin_press()
{
	stop_user_action();
	_held = true;
	_released = false;
}

bool PotInterface::end_press()
{
	if (!_held)
		return false;
	const bool was_dragging = is_dragging();
	release_val(Priority_USER);
	_pot.stop_mouse_capture();
	_released = true;
	_held = false;
	if (was_dragging)
		invalidate_all();
	return true;
}

int PotInterface::mouse_capture_lost(MouseCaptureLost &)
{
	_pot.mouse_capture_lost();
	return 0;
}

int PotInterface::notify(Notify &msg)
{
	if (msg.get_id() != _pot.get_timer_id() || _pot.get_mode() == PotBehaviour::Mode_IDLE)
		return 0;
	if (_held)
		reserve_val(Priority_USER);
	const double now = sys::get_time_stamp();
	const double old = get_val();
	double v = old;
	if (_pot.get_mode() == PotBehaviour::Mode_DRAGGING)
		_pot.drag(v, now);
	else
		_pot.attract(v, now, _released ? 0.0 : _side_speed_in_use);
	if (v == old)
	{
		if (_released && !_pot.is_moving())
			stop_user_action();
	}
	else
		set_val_user(v, (_held || _pot.is_attract_mvt_uniform()) ? Priority_USER : Priority_SETTLE);
	return 0;
}

} // namespace skane
