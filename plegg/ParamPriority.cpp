#include "plegg/ParamPriority.h"

namespace plegg
{

ParamPriority::ParamPriority(const ParamPriority &other)
{
	*this = other;
}

ParamPriority &ParamPriority::operator=(const ParamPriority &other)
{
	time_stamp.store(other.get_time_stamp(), std::memory_order_relaxed);
	ttl.store(other.ttl.load(std::memory_order_relaxed), std::memory_order_relaxed);
	holder_priority.store(other.get_holder_priority(), std::memory_order_relaxed);
	return *this;
}

bool ParamPriority::is_free(double now, int priority) const
{
	return priority >= holder_priority.load(std::memory_order_relaxed)
	    || time_stamp.load(std::memory_order_relaxed) + ttl.load(std::memory_order_relaxed) < now;
}

bool ParamPriority::get(double now, int priority)
{
	if (!is_free(now, priority))
		return false;
	time_stamp.store(now, std::memory_order_relaxed);
	holder_priority.store(priority, std::memory_order_relaxed);
	return true;
}

void ParamPriority::release(int priority)
{
	int expected = priority;
	holder_priority.compare_exchange_strong(expected, 0, std::memory_order_relaxed);
}

void ParamPriority::release()
{
	holder_priority.store(0, std::memory_order_relaxed);
}

void ParamPriority::set_ttl(double seconds)
{
	ttl.store(seconds, std::memory_order_relaxed);
}

} // namespace plegg
