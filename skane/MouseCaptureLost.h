// Tells a handler that it no longer holds the mouse capture.
#pragma once

#include "skane/MessageDown.h"
#include "skane/MouseMessage.h"

namespace skane
{

class MouseCaptureLost : public MessageDown, public MouseMessage
{
public:
	MouseCaptureLost() : MessageDown(Rect()) {}
};

} // namespace skane
