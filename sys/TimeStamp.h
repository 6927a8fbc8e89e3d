// Time stamps: seconds from a monotonic clock. Tests replace the source.
#pragma once

namespace sys
{

// Seconds as a floating-point value (microsecond clock x 1e-06).
double get_time_stamp();

// Replaces the clock for tests; null restores the monotonic clock.
using TimeSource = double (*)();
void set_time_source(TimeSource src);

} // namespace sys
