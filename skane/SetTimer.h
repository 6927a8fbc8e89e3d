// Starts a periodic timer whose ticks reach target as Notify messages.
// Each SetTimer draws a new id from the process-wide generator: ids start
// at 1 and are never reused.
#pragma once

#include "skane/MessageUp.h"
#include "skane/TimerMessage.h"

#include <atomic>

namespace skane
{

class MessageHandlerInterface;

class SetTimer : public MessageUp, public TimerMessage
{
public:
	class TimerIdGenerator
	{
	public:
		static TimerIdGenerator &get_instance();
		int get_id() { return ++_counter; }

	private:
		TimerIdGenerator() = default;
		std::atomic<int> _counter{0};
	};

	// delay in seconds; the new id is also stored in id.
	SetTimer(MessageHandlerInterface &target, float delay, int &id)
	:	_target(target), _delay(delay), _id(TimerIdGenerator::get_instance().get_id())
	{
		id = _id;
	}
	MessageHandlerInterface &get_target() const { return _target; }
	float get_delay() const { return _delay; }
	int get_id() const { return _id; }

private:
	MessageHandlerInterface &_target;
	float _delay;
	int _id;
};

} // namespace skane
