// A button press or release (state 0) at a position.
#pragma once

#include "skane/MessageDown.h"
#include "skane/MouseMessage.h"
#include "skane/MouseState.h"

namespace skane
{

class MouseClick : public MessageDown, public MouseMessage
{
public:
	MouseClick(const Coord2D &pos, MouseState state, AltKeys alt_keys = 0, MouseState dbl_click = 0)
	:	MessageDown(Rect::point(pos)), _pos(pos), _state(state), _alt_keys(alt_keys), _dbl_click(dbl_click)
	{
	}
	const Coord2D &get_pos() const { return _pos; }
	MouseState get_state() const { return _state; }
	AltKeys get_alt_keys() const { return _alt_keys; }
	// The button state again for a double click, else 0.
	MouseState get_dbl_click() const { return _dbl_click; }

private:
	Coord2D _pos;
	MouseState _state;
	AltKeys _alt_keys;
	MouseState _dbl_click;
};

} // namespace skane
