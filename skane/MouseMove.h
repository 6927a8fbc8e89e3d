// Pointer motion: an absolute position, or under a relative capture the
// offset from the capture origin.
#pragma once

#include "skane/MessageDown.h"
#include "skane/MouseMessage.h"

namespace skane
{

class MouseMove : public MessageDown, public MouseMessage
{
public:
	explicit MouseMove(const Coord2D &pos) : MessageDown(Rect::point(pos)), _pos(pos) {}
	const Coord2D &get_pos() const { return _pos; }

private:
	Coord2D _pos;
};

} // namespace skane
