#include "skane/WindowBase.h"

#include "skane/ClearTimer.h"
#include "skane/CtrlGroupNodeInterface.h"
#include "skane/Invalidate.h"
#include "skane/Menu.h"
#include "skane/MenuStop.h"
#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/MouseRelease.h"
#include "skane/Notify.h"
#include "skane/SetTimer.h"
#include "skane/TextInputStop.h"
#include "skane/TextLineEditorInterface.h"
#include "sys/TimeStamp.h"

#include <cmath>

namespace skane
{

long long WindowBase::delay_to_us(float delay)
{
	const double us = std::floor(0.5 + static_cast<double>(delay) * 1000000.0);
	if (!(us >= 0.0))
		return 0;
	return us > 1e15 ? static_cast<long long>(1e15) : static_cast<long long>(us);
}

int WindowBase::send_message(MessageInterface &msg)
{
	if (!is_view_open() || dynamic_cast<MessageUp *>(&msg) == nullptr)
		return -1;

	if (const Invalidate *m = dynamic_cast<const Invalidate *>(&msg))
	{
		const Rect zone = m->get_zone().intersect(Rect(0, 0, get_size().x, get_size().y));
		if (!zone.is_empty())
			do_invalidate(zone);
		return 0;
	}
	if (const MouseCapture *m = dynamic_cast<const MouseCapture *>(&msg))
	{
		const bool hide = m->get_tracking_type() != MouseCapture::TrackingType_PLAIN;
		if (hide != _pointer_hidden)
		{
			do_show_pointer(!hide);
			_pointer_hidden = hide;
		}
		const Coord2D p = do_get_pointer_pos();
		capture_mouse(m->get_target(), m->get_tracking_type(), &p);
		if (relative_capture())
			_last_pos = p;
		return 0;
	}
	if (const MouseRelease *m = dynamic_cast<const MouseRelease *>(&msg))
	{
		// A stale release (the capture has already moved on) changes nothing.
		if (get_mouse_capturer() != &m->get_target())
			return 0;
		if (relative_capture())
		{
			do_warp_pointer(m->get_new_pos());
			_last_pos = m->get_new_pos();
		}
		if (_pointer_hidden)
		{
			do_show_pointer(true);
			_pointer_hidden = false;
		}
		release_mouse();
		return 0;
	}
	if (const SetTimer *m = dynamic_cast<const SetTimer *>(&msg))
	{
		if (get_component_with_timer_id(m->get_id()) != nullptr)
			do_stop_timer(m->get_id());
		if (do_start_timer(m->get_id(), delay_to_us(m->get_delay())) != 0)
		{
			clear_timer(m->get_id());
			return -1;
		}
		set_timer(m->get_id(), m->get_target());
		return 0;
	}
	if (const ClearTimer *m = dynamic_cast<const ClearTimer *>(&msg))
	{
		if (get_component_with_timer_id(m->get_id()) != nullptr)
			do_stop_timer(m->get_id());
		clear_timer(m->get_id());
		return 0;
	}
	if (const TextInputRequest *m = dynamic_cast<const TextInputRequest *>(&msg))
	{
		TextLineEditorInterface *ed = use_text_line_editor();
		if (ed == nullptr)
			return -1;
		if (ed->is_running())
		{
			ed->validate(false);
			ed->stop();
		}
		return ed->begin(*m);
	}
	if (const TextInputStop *m = dynamic_cast<const TextInputStop *>(&msg))
	{
		TextLineEditorInterface *ed = use_text_line_editor();
		if (ed == nullptr || !ed->is_running())
			return -1;
		ed->validate(m->is_validated());
		return ed->stop();
	}
	if (const MenuRequest *m = dynamic_cast<const MenuRequest *>(&msg))
		return use_menu() != nullptr ? use_menu()->begin(*m) : -1;
	if (dynamic_cast<const MenuStop *>(&msg) != nullptr)
		return use_menu() != nullptr ? use_menu()->stop() : -1;
	return -1;
}

bool WindowBase::relative_capture() const
{
	return get_mouse_capturer() != nullptr && get_capture_type() == MouseCapture::TrackingType_RELATIVE;
}

int WindowBase::deliver(MessageDown &msg)
{
	if (MessageHandlerInterface *cap = get_mouse_capturer())
		return cap->send_message(msg);
	if (CtrlGroupNodeInterface *root = get_ctrl_group_root())
		return root->send_message(msg);
	return -1;
}

Coord2D WindowBase::map_pos(const Coord2D &pos)
{
	if (!relative_capture())
		return pos;
	const Coord2D org = get_org_mouse_pos();
	if (!(pos == org))
	{
		do_warp_pointer(org);
		_last_pos = org;
	}
	return pos - org;
}

int WindowBase::process_mouse_down(const Coord2D &pos, MouseState buttons, AltKeys alt_keys, int clicks)
{
	_last_pos = pos;
	_last_buttons = buttons;
	MouseClick click(map_pos(pos), buttons, alt_keys, clicks > 1 ? buttons : 0);
	return deliver(click);
}

int WindowBase::process_mouse_moved(const Coord2D &pos, MouseState buttons, AltKeys alt_keys)
{
	int ret = -1;
	if (!(pos == _last_pos))
	{
		_last_pos = pos;
		const bool rel = relative_capture();
		const Coord2D p = map_pos(pos);
		if (!rel || !(p == Coord2D()))
		{
			MouseMove move(p);
			ret = deliver(move);
		}
	}
	if (buttons != _last_buttons)
	{
		_last_buttons = buttons;
		if (buttons != 0)
		{
			MouseClick click(relative_capture() ? Coord2D() : pos, buttons, alt_keys, 0);
			ret = deliver(click);
		}
	}
	return ret;
}

int WindowBase::process_mouse_up(const Coord2D &pos, AltKeys alt_keys)
{
	_last_pos = pos;
	_last_buttons = 0;
	MouseClick click(map_pos(pos), 0, alt_keys, 0);
	return deliver(click);
}

int WindowBase::process_timer_tick(int id)
{
	MessageHandlerInterface *target = get_component_with_timer_id(id);
	if (target == nullptr)
		return -1;
	Notify tick(id, sys::get_time_stamp());
	return target->send_message(tick);
}

} // namespace skane
