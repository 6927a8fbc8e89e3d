// Test utility: a clock that only moves when a test moves it, installed as
// the process's time source (sys::set_time_source), so controls and timer
// ticks see the same "now". Not for use in the plug-in.
#pragma once

namespace skane
{

class TestClock
{
public:
	// Installs the clock at time t (seconds).
	static void install(double t = 100.0);
	// Restores the system clock.
	static void uninstall();
	static void set(double t);
	static void advance(double dt);
	static double now();
};

} // namespace skane
