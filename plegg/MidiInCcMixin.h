// Control-change decoding for input ports: CC, RPN and NRPN folded into one
// controller id (type x 65536 + number) with a 14-bit value, handed to the
// port's control_change_2_param. The NRPN compatibility of the manager's
// persistent settings is read at every message.
#pragma once

#include "plegg/MidiInChn.h"

namespace plegg
{

class MidiInCcMixin : public MidiInChn
{
public:
	// cc and value are 7-bit.
	void process_control_change(int chn, int cc, int value);

protected:
	virtual void control_change_2_param(long ctrl_id, int value14) = 0;
};

} // namespace plegg
