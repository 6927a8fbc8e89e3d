// Empty tag class: marks the family of a message for run-time type tests.
#pragma once

namespace skane
{

class MouseMessage
{
public:
	virtual ~MouseMessage() = default;
};

} // namespace skane
