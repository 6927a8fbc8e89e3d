// A MIDI output port: a device and the receiver of what the manager sends.
#pragma once

#include "plegg/MidiDevInterface.h"
#include "plegg/MidiReceiverInterface.h"

namespace plegg
{

class MidiOutInterface : public MidiDevInterface, public MidiReceiverInterface
{
};

} // namespace plegg
