// Base of every toolkit message. Messages are typed objects handed to a
// MessageHandlerInterface; their class tells the kind (run-time type tests).
#pragma once

namespace skane
{

class MessageInterface
{
public:
	virtual ~MessageInterface() = default;
};

} // namespace skane
