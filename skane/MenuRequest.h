// Asks the window to show a pop-up menu at the pointer moved by pos.
#pragma once

#include "skane/Coord2D.h"
#include "skane/MessageUp.h"

namespace skane
{

class MenuList;

class MenuRequest : public MessageUp
{
public:
	MenuRequest(MenuList &list, const Coord2D &pos = Coord2D()) : _list(list), _pos(pos) {}
	MenuList &use_menu_list() const { return _list; }
	const Coord2D &get_pos() const { return _pos; }

private:
	MenuList &_list;
	Coord2D _pos;
};

} // namespace skane
