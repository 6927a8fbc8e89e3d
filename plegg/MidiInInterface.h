// A MIDI input port.
#pragma once

#include "plegg/MidiDevInterface.h"

namespace plegg
{

class MidiInInterface : public MidiDevInterface
{
public:
	// Sample offset inside the current block of what arrives next.
	void reset_time_stamp(long t) { do_reset_time_stamp(t); }

protected:
	virtual void do_reset_time_stamp(long t) = 0;
};

} // namespace plegg
