// Empty tag class: marks the family of a message for run-time type tests.
#pragma once

namespace skane
{

class TimerMessage
{
public:
	virtual ~TimerMessage() = default;
};

} // namespace skane
