// A key press routed to controls (no back end sends it yet).
#pragma once

#include "skane/KeyboardMessage.h"
#include "skane/MessageDown.h"

namespace skane
{

class KeyPressed : public KeyboardMessage, public MessageDown
{
public:
	explicit KeyPressed(const Rect &dest = Rect()) : MessageDown(dest) {}
};

} // namespace skane
