// One tick of a timer, sent straight to the timer's target.
#pragma once

#include "skane/MessageDown.h"
#include "skane/TimerMessage.h"

namespace skane
{

class Notify : public MessageDown, public TimerMessage
{
public:
	Notify(int id, double time_stamp) : MessageDown(Rect()), _id(id), _time_stamp(time_stamp) {}
	int get_id() const { return _id; }
	double get_time_stamp() const { return _time_stamp; }

private:
	int _id;
	double _time_stamp;
};

} // namespace skane
