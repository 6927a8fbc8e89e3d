// A value that tells its owner of changes (the owner sets `notified`).
#pragma once

#include <atomic>

namespace plegg
{

class NotifiedInterface;

class NotifierInterface
{
public:
	// Set once by the owner when the notifier is registered; not owned.
	NotifiedInterface *notified = nullptr;

	virtual ~NotifierInterface() = default;
};

} // namespace plegg
