// Empty tag class: marks the family of a message for run-time type tests.
#pragma once

namespace skane
{

class GraphicMessage
{
public:
	virtual ~GraphicMessage() = default;
};

} // namespace skane
