#include "skane/ControlInterface.h"

#include "skane/ClearTimer.h"
#include "skane/CtrlGroupItem.h"
#include "skane/EventListenerInterface.h"
#include "skane/Invalidate.h"
#include "skane/KeyPressed.h"
#include "skane/MouseCapture.h"
#include "skane/MouseCaptureLost.h"
#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/MouseRelease.h"
#include "skane/Notify.h"
#include "skane/Redraw.h"
#include "skane/SetTimer.h"
#include "skane/ShowObject.h"
#include "skane/TextInputFinished.h"

#include <algorithm>

namespace skane
{

// Marks the control as dispatching for a scope; restores the former mark.
class ControlInterface::DispatchMark
{
public:
	explicit DispatchMark(ControlInterface &c) : _c(c), _old(c._dispatching) { c._dispatching = true; }
	~DispatchMark() { _c._dispatching = _old; }

private:
	ControlInterface &_c;
	bool _old;
};

ControlInterface::ControlInterface(const Coord2D &pos, EventListenerInterface *listener, double value,
	const Coord2D &size)
:	_value(value)
,	_pos(pos)
,	_rel_pos(pos)
{
	if (size.x != 0 || size.y != 0)
		set_box(Rect(0, 0, size.x, size.y));
	set_listener(listener);
}

ControlInterface::~ControlInterface()
{
	if (_group != nullptr)
		_group->erase(*this);
}

int ControlInterface::send_message(MessageInterface &msg)
{
	DispatchMark mark(*this);
	for (EventListenerInterface *l : _listeners)
		l->spy_message_pre(msg);

	int ret = -1;
	if (auto *m = dynamic_cast<Invalidate *>(&msg))
		ret = invalidate(*m);
	else if (auto *m = dynamic_cast<Redraw *>(&msg))
		ret = _shown ? redraw(*m) : 0;
	else if (auto *m = dynamic_cast<MouseCapture *>(&msg))
		ret = mouse_capture(*m);
	else if (auto *m = dynamic_cast<MouseRelease *>(&msg))
		ret = mouse_release(*m);
	else if (auto *m = dynamic_cast<MouseMove *>(&msg))
		ret = mouse_move(*m);
	else if (auto *m = dynamic_cast<MouseCaptureLost *>(&msg))
		ret = mouse_capture_lost(*m);
	else if (auto *m = dynamic_cast<MouseClick *>(&msg))
	{
		if (m->get_state() != 0 && _enabled)
			activate();
		ret = mouse_click(*m);
	}
	else if (auto *m = dynamic_cast<SetTimer *>(&msg))
		ret = set_timer(*m);
	else if (auto *m = dynamic_cast<ClearTimer *>(&msg))
		ret = clear_timer(*m);
	else if (auto *m = dynamic_cast<Notify *>(&msg))
		ret = notify(*m);
	else if (auto *m = dynamic_cast<TextInputFinished *>(&msg))
		ret = text_input_finished(*m);
	else if (auto *m = dynamic_cast<KeyPressed *>(&msg))
		ret = key_pressed(*m);
	else if (auto *m = dynamic_cast<ShowObject *>(&msg))
	{
		_shown = m->is_shown();
		ret = show_object(*m);
		if (!_shown)
			stop_user_action();
	}
	else if (dynamic_cast<MessageUp *>(&msg) != nullptr)
		ret = send_to_father(msg);

	for (EventListenerInterface *l : _listeners)
		l->spy_message_post(msg);
	return ret;
}

int ControlInterface::send_to_father(MessageInterface &msg)
{
	return _father != nullptr ? _father->send_message(msg) : -1;
}

int ControlInterface::invalidate(Invalidate &msg)
{
	return send_to_father(msg);
}

int ControlInterface::mouse_capture(MouseCapture &msg)
{
	return send_to_father(msg);
}

int ControlInterface::mouse_release(MouseRelease &msg)
{
	return send_to_father(msg);
}

int ControlInterface::set_timer(SetTimer &msg)
{
	return send_to_father(msg);
}

int ControlInterface::clear_timer(ClearTimer &msg)
{
	return send_to_father(msg);
}

bool ControlInterface::set_val(double val, int priority, bool user)
{
	DispatchMark mark(*this);
	for (EventListenerInterface *l : _listeners)
		if (!l->can_num_val_be_changed(priority))
		{
			if (user)
				stop_user_action();
			return false;
		}
	for (EventListenerInterface *l : _listeners)
		val = user ? l->change_num_val_user(val, priority) : l->change_num_val_auto(val, priority);
	for (EventListenerInterface *l : _listeners)
		val = l->change_num_val(val, priority);
	_value = val;
	if (!user || _auto_update)
		refresh_display();
	return true;
}

bool ControlInterface::set_val_user(double val, int priority)
{
	return set_val(val, priority, true);
}

bool ControlInterface::set_val_auto(double val, int priority)
{
	return set_val(val, priority, false);
}

bool ControlInterface::reserve_val(int priority)
{
	for (EventListenerInterface *l : _listeners)
		if (!l->can_num_val_be_changed(priority))
			return false;
	for (EventListenerInterface *l : _listeners)
		l->reserve_num_val(priority);
	return true;
}

void ControlInterface::release_val(int priority)
{
	for (EventListenerInterface *l : _listeners)
		l->release_num_val(priority);
}

void ControlInterface::activate()
{
	_activated = true;
	for (EventListenerInterface *l : _listeners)
		l->activate();
	do_activate(true);
}

void ControlInterface::deactivate()
{
	_activated = false;
	for (EventListenerInterface *l : _listeners)
		l->deactivate();
	do_activate(false);
}

void ControlInterface::enable()
{
	do_enable(true);
	_enabled = true;
}

void ControlInterface::disable()
{
	do_enable(false);
	stop_user_action();
	_enabled = false;
}

void ControlInterface::check_not_dispatching() const
{
	if (_dispatching)
		throw int(-1);
}

void ControlInterface::set_listener(EventListenerInterface *listener)
{
	check_not_dispatching();
	_listeners.clear();
	if (listener != nullptr)
	{
		_listeners.push_back(listener);
		listener->set_ci(*this);
	}
}

void ControlInterface::push_back_listener(EventListenerInterface *listener)
{
	check_not_dispatching();
	if (listener == nullptr)
		return;
	_listeners.push_back(listener);
	listener->set_ci(*this);
}

void ControlInterface::push_back_listener_unique(EventListenerInterface *listener)
{
	remove_listener(listener);
	push_back_listener(listener);
}

void ControlInterface::remove_listener(EventListenerInterface *listener)
{
	check_not_dispatching();
	_listeners.erase(std::remove(_listeners.begin(), _listeners.end(), listener), _listeners.end());
}

EventListenerInterface *ControlInterface::get_listener() const
{
	return _listeners.empty() ? nullptr : _listeners.front();
}

EventListenerInterface *ControlInterface::get_listener(int index) const
{
	return (index >= 0 && index < get_nbr_listeners()) ? _listeners[index] : nullptr;
}

void ControlInterface::send_custom_event(long id, void *data)
{
	for (EventListenerInterface *l : _listeners)
		l->send_custom_event(id, data);
}

void ControlInterface::set_group(CtrlGroupItem *group)
{
	_group = group;
	_father = group;
}

void ControlInterface::set_top_layer_nbr_pic(int nbr)
{
	_top_layer.resize(static_cast<size_t>(std::max(nbr, 0)));
}

void ControlInterface::set_top_layer_pic(int index, const Picture &pic)
{
	if (index >= 0 && index < static_cast<int>(_top_layer.size()))
		_top_layer[index] = TopLayerPicture{pic, true};
}

void ControlInterface::set_cur_top_layer_pic(int index)
{
	if (index == _cur_top_layer)
		return;
	_cur_top_layer = index;
	invalidate_all();
}

void ControlInterface::redraw_top_layer(Redraw &rd)
{
	if (_cur_top_layer >= 0 && _cur_top_layer < static_cast<int>(_top_layer.size()) && _top_layer[_cur_top_layer].set)
		draw_pic(rd, _top_layer[_cur_top_layer].pic);
}

bool ControlInterface::check_point(const Coord2D &p) const
{
	return BoundingBoxDefaultChecker::check_point(p - _pos);
}

void ControlInterface::refresh_display()
{
	invalidate_all();
}

void ControlInterface::invalidate_all()
{
	if (!_shown)
		return;
	const Rect &b = get_box();
	if (b.is_empty())
		return;
	Invalidate inv(b + _pos);
	send_message(inv);
}

void ControlInterface::draw_pic(const Redraw &rd, const Picture &pic, const Coord2D &offset) const
{
	pic.blit(rd.get_dest_rect() - (_pos + offset), rd.get_rend_buf_ref());
}

void ControlInterface::draw_pic_alpha(const Redraw &rd, const Picture &pic, float alpha, const Coord2D &offset) const
{
	pic.blit_alpha(rd.get_dest_rect() - (_pos + offset), rd.get_rend_buf_ref(), alpha);
}

void ControlInterface::draw_pic_subpix(const Redraw &rd, const Picture &pic, float dx, float dy) const
{
	pic.blit_subpix(static_cast<float>(_pos.x) + dx, static_cast<float>(_pos.y) + dy, rd.get_dest_rect().get_tl(),
		rd.get_rend_buf_ref());
}

void ControlInterface::draw_pic_rotate(const Redraw &rd, const Picture &pic, float dx, float dy, float angle) const
{
	pic.blit_rotate(static_cast<float>(_pos.x) + dx, static_cast<float>(_pos.y) + dy, rd.get_dest_rect().get_tl(),
		angle, rd.get_rend_buf_ref());
}

} // namespace skane
