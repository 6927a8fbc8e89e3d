#include "skane/TestClock.h"

#include "sys/TimeStamp.h"

#include <atomic>

namespace skane
{

namespace
{

std::atomic<double> clock_now{0.0};

double read_clock()
{
	return clock_now.load();
}

} // namespace

void TestClock::install(double t)
{
	clock_now.store(t);
	sys::set_time_source(&read_clock);
}

void TestClock::uninstall()
{
	sys::set_time_source(nullptr);
}

void TestClock::set(double t)
{
	clock_now.store(t);
}

void TestClock::advance(double dt)
{
	clock_now.store(clock_now.load() + dt);
}

double TestClock::now()
{
	return clock_now.load();
}

} // namespace skane
