// Asks the window to send every mouse message to target.
#pragma once

#include "skane/MessageUp.h"
#include "skane/MouseMessage.h"

namespace skane
{

class MessageHandlerInterface;

class MouseCapture : public MessageUp, public MouseMessage
{
public:
	enum TrackingType
	{
		// Pointer visible, absolute positions.
		TrackingType_PLAIN = 0,
		// Pointer hidden, absolute positions.
		TrackingType_HIDDEN = 1,
		// Pointer hidden, each move reports its offset from the position at
		// capture time and the pointer is put back there.
		TrackingType_RELATIVE = 2
	};

	MouseCapture(MessageHandlerInterface &target, TrackingType type) : _target(target), _type(type) {}
	MessageHandlerInterface &get_target() const { return _target; }
	TrackingType get_tracking_type() const { return _type; }

private:
	MessageHandlerInterface &_target;
	TrackingType _type;
};

} // namespace skane
