// Stops the timer with this id; an unknown id is not an error.
#pragma once

#include "skane/MessageUp.h"
#include "skane/TimerMessage.h"

namespace skane
{

class ClearTimer : public MessageUp, public TimerMessage
{
public:
	explicit ClearTimer(int id) : _id(id) {}
	int get_id() const { return _id; }

private:
	int _id;
};

} // namespace skane
