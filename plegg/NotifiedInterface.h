// The owner side of NotifierInterface: told when one of its values changed.
#pragma once

namespace plegg
{

class NotifierInterface;

class NotifiedInterface
{
public:
	virtual ~NotifiedInterface() = default;
	// May be called on any thread that writes a parameter: implementations
	// only raise a flag of their own.
	virtual void notify(NotifierInterface &notifier) = 0;
};

} // namespace plegg
