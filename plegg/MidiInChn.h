// An input port with the running state of the 16 MIDI channels.
#pragma once

#include "basic/Array.h"
#include "plegg/MidiChannelState.h"
#include "plegg/MidiInInterface.h"

namespace plegg
{

class MidiInChn : public MidiInInterface
{
public:
	static constexpr int NBR_CHN = 16;

	// Binds the channel states to the MIDI client (after set_midi_mgr).
	int init() override;

	// chn is the low nibble of a status byte: no range check.
	MidiChannelState &use_channel(int chn) { return channels[static_cast<std::size_t>(chn)]; }

private:
	basic::Array<MidiChannelState, NBR_CHN> channels;
};

} // namespace plegg
