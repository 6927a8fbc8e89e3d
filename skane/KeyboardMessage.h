// Empty tag class: marks the family of a message for run-time type tests.
#pragma once

namespace skane
{

class KeyboardMessage
{
public:
	virtual ~KeyboardMessage() = default;
};

} // namespace skane
