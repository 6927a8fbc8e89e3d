// Ends target's mouse capture; under a relative capture the pointer is put
// at new_pos (window coordinates).
#pragma once

#include "skane/Coord2D.h"
#include "skane/MessageUp.h"
#include "skane/MouseMessage.h"

namespace skane
{

class MessageHandlerInterface;

class MouseRelease : public MessageUp, public MouseMessage
{
public:
	explicit MouseRelease(MessageHandlerInterface &target, const Coord2D &new_pos = Coord2D())
	:	_target(target), _new_pos(new_pos)
	{
	}
	MessageHandlerInterface &get_target() const { return _target; }
	const Coord2D &get_new_pos() const { return _new_pos; }

private:
	MessageHandlerInterface &_target;
	Coord2D _new_pos;
};

} // namespace skane
