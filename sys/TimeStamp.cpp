#include "sys/TimeStamp.h"

#include <atomic>
#include <ctime>

namespace sys
{

namespace
{

std::atomic<TimeSource> time_source{nullptr};

} // namespace

double get_time_stamp()
{
	const TimeSource src = time_source.load(std::memory_order_acquire);
	if (src != nullptr)
		return src();
	timespec ts{};
	clock_gettime(CLOCK_MONOTONIC, &ts);
	const long long us = static_cast<long long>(ts.tv_sec) * 1000000LL + ts.tv_nsec / 1000;
	return static_cast<double>(us) * 1e-06;
}

void set_time_source(TimeSource src)
{
	time_source.store(src, std::memory_order_release);
}

} // namespace sys
