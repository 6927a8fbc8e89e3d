#include "skane/SPTreeSplit.h"

#include "skane/MessageDown.h"
#include "skane/ShowObject.h"

#include <algorithm>

namespace skane
{

void SPTreeSplit::set_type(int type)
{
	_type = type;
	refresh_child_coord();
}

SPTreeNodeInterface *SPTreeSplit::use_node(int index) const
{
	if (index < 0 || index >= get_nbr_subdivs())
		return nullptr;
	return _subdivs[index].get_node();
}

void SPTreeSplit::attach(SPTreeNodeInterface &node)
{
	node.set_father(this);
	refresh_child_coord();
	ShowObject show(MessageDown::BROADCAST, is_shown());
	node.send_message(show);
	_structure_changed = true;
}

int SPTreeSplit::push_back(SPTreeNodeInterface &node, int size)
{
	_subdivs.emplace_back(&node, size);
	attach(node);
	return get_nbr_subdivs();
}

int SPTreeSplit::insert(SPTreeNodeInterface &node, int size, int index)
{
	index = std::clamp(index, 0, get_nbr_subdivs());
	_subdivs.insert(_subdivs.begin() + index, SPTreeSubdiv(&node, size));
	attach(node);
	return get_nbr_subdivs();
}

int SPTreeSplit::erase(int index)
{
	if (index < 0 || index >= get_nbr_subdivs())
		return -1;
	SPTreeNodeInterface *old = _subdivs[index].get_node();
	if (old->get_father() == this)
		old->set_father(nullptr);
	_subdivs.erase(_subdivs.begin() + index);
	refresh_child_coord();
	_structure_changed = true;
	return get_nbr_subdivs();
}

int SPTreeSplit::change(SPTreeNodeInterface &node, int size, int index)
{
	if (index < 0 || index >= get_nbr_subdivs())
		return -1;
	SPTreeNodeInterface *old = _subdivs[index].get_node();
	if (old != &node && old->get_father() == this)
		old->set_father(nullptr);
	_subdivs[index] = SPTreeSubdiv(&node, size);
	attach(node);
	return get_nbr_subdivs();
}

int SPTreeSplit::get_total_offset_to(int index) const
{
	int sum = 0;
	const int n = std::min(index, get_nbr_subdivs());
	for (int i = 0; i < n; ++i)
		sum += _subdivs[i].get_end_offset();
	return sum;
}

Coord2D SPTreeSplit::child_origin(int index) const
{
	const int off = get_total_offset_to(index);
	const Coord2D &o = get_coord2D();
	return _type == Type_ROWS ? Coord2D(o.x, o.y + off) : Coord2D(o.x + off, o.y);
}

int SPTreeSplit::get_subdiv_index_by_coord(const Coord2D &p) const
{
	const int n = get_nbr_subdivs();
	if (n == 0)
		return -1;
	const long long c = _type == Type_ROWS ? p.y : p.x;
	long long edge = _type == Type_ROWS ? get_coord2D().y : get_coord2D().x;
	for (int i = 0; i < n; ++i)
	{
		edge += _subdivs[i].get_end_offset();
		if (edge > c)
			return i;
	}
	return n - 1;
}

void SPTreeSplit::refresh_coord(const Coord2D &origin)
{
	SPTreeNodeInterface::refresh_coord(origin);
	for (int i = 0; i < get_nbr_subdivs(); ++i)
		_subdivs[i].get_node()->refresh_coord(child_origin(i));
}

int SPTreeSplit::do_send_message(MessageInterface &msg)
{
	const MessageDown *md = dynamic_cast<const MessageDown *>(&msg);
	if (md == nullptr)
		return -1;
	const Rect &dest = md->get_dest_rect();
	const int first = get_subdiv_index_by_coord(dest.get_tl());
	// The last pixel of an area (x1 and y1 are exclusive); a point is itself.
	const Coord2D last_px(std::max(dest.x0, dest.x1 - 1), std::max(dest.y0, dest.y1 - 1));
	const int last = get_subdiv_index_by_coord(dest.is_point() ? dest.get_tl() : last_px);
	if (first < 0)
		return -1;
	int ret = -1;
	_structure_changed = false;
	for (int i = first; i <= last && i < get_nbr_subdivs(); ++i)
	{
		if (_subdivs[i].get_node()->send_message(msg) == 0)
			ret = 0;
		if (_structure_changed)
			break;
	}
	return ret;
}

} // namespace skane
