// Anything that receives toolkit messages: the window, tree nodes, controls.
// Handlers return 0 when the message was handled, -1 otherwise.
#pragma once

namespace skane
{

class MessageInterface;

class MessageHandlerInterface
{
public:
	virtual ~MessageHandlerInterface() = default;
	virtual int send_message(MessageInterface &msg) = 0;
};

} // namespace skane
