#include "skane/SetTimer.h"

namespace skane
{

SetTimer::TimerIdGenerator &SetTimer::TimerIdGenerator::get_instance()
{
	static TimerIdGenerator instance;
	return instance;
}

} // namespace skane
