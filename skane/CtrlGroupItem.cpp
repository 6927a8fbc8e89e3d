#include "skane/CtrlGroupItem.h"

#include "skane/ControlInterface.h"
#include "skane/MessageDown.h"
#include "skane/ShowObject.h"

namespace skane
{

CtrlGroupItem::~CtrlGroupItem()
{
	for (ControlInterface *c : _controls)
		if (c->get_group() == this)
			c->set_group(nullptr);
}

int CtrlGroupItem::push_back(ControlInterface &control)
{
	_controls.push_back(&control);
	control.set_group(this);
	control.refresh_coord(get_coord2D() + control.get_rel_coord());
	_structure_changed = true;
	ShowObject show(MessageDown::BROADCAST, is_shown());
	control.send_message(show);
	return get_nbr_controls();
}

int CtrlGroupItem::erase(int index)
{
	if (index < 0 || index >= get_nbr_controls())
		return -1;
	ControlInterface *c = _controls[index];
	if (c->get_group() == this)
		c->set_group(nullptr);
	_controls.erase(_controls.begin() + index);
	_structure_changed = true;
	return get_nbr_controls();
}

int CtrlGroupItem::erase(ControlInterface &control)
{
	for (int i = 0; i < get_nbr_controls(); ++i)
		if (_controls[i] == &control)
			return erase(i);
	return -1;
}

ControlInterface *CtrlGroupItem::use_control(int index) const
{
	return (index >= 0 && index < get_nbr_controls()) ? _controls[index] : nullptr;
}

void CtrlGroupItem::invalidate()
{
	for (int i = 0; i < get_nbr_controls(); ++i)
		_controls[i]->invalidate_all();
}

void CtrlGroupItem::refresh_coord(const Coord2D &origin)
{
	SPTreeNodeInterface::refresh_coord(origin);
	for (ControlInterface *c : _controls)
		c->refresh_coord(origin + c->get_rel_coord());
}

int CtrlGroupItem::do_send_message(MessageInterface &msg)
{
	const MessageDown *md = dynamic_cast<const MessageDown *>(&msg);
	if (md == nullptr)
		return -1;
	const Rect &dest = md->get_dest_rect();
	if (dest.x0 == dest.x1)
	{
		const Coord2D p = dest.get_tl();
		for (int i = 0; i < get_nbr_controls(); ++i)
			if (_controls[i]->check_point(p))
				return _controls[i]->send_message(msg);
		return -1;
	}
	int ret = -1;
	_structure_changed = false;
	for (int i = 0; i < get_nbr_controls(); ++i)
	{
		ControlInterface *c = _controls[i];
		const Rect &b = c->get_box();
		const long long bx0 = static_cast<long long>(b.x0) + c->get_coord().x;
		const long long bx1 = static_cast<long long>(b.x1) + c->get_coord().x;
		const long long by0 = static_cast<long long>(b.y0) + c->get_coord().y;
		const long long by1 = static_cast<long long>(b.y1) + c->get_coord().y;
		if (dest.x0 < bx1 && bx0 < dest.x1 && dest.y0 < by1 && by0 < dest.y1)
		{
			if (c->send_message(msg) == 0)
				ret = 0;
			if (_structure_changed)
				break;
		}
	}
	return ret;
}

} // namespace skane
