// A Standard MIDI File read with libsmf into events at sample positions
// (the file's tempo map applied), and the per-block VstEvents lists the
// render loop hands to effProcessEvents.
#pragma once

#include "vst2/aeffect.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost
{

struct TimedMidi
{
	std::int64_t frame;
	std::vector<unsigned char> bytes; // a channel message, or a whole SysEx
};

// Reads the channel messages and SysEx of every track, sorted by time;
// meta events are left out. False with err on a file libsmf cannot read.
bool read_midi_file(const std::string &path, double sample_rate, std::vector<TimedMidi> &events,
                    std::string &err);

// Builds the VstEvents of each block from sorted events. Storage is made
// once; building a block neither allocates nor frees.
class MidiScheduler
{
public:
	static constexpr int kCapacity = 2048;

	explicit MidiScheduler(std::vector<TimedMidi> events);
	MidiScheduler(const MidiScheduler &) = delete;
	MidiScheduler &operator=(const MidiScheduler &) = delete;

	// The events in [start, start + frames), at their offsets in the block.
	// Events beyond the capacity of one block are counted in dropped().
	vst2::VstEvents *block(std::int64_t start, long frames);
	std::int64_t last_frame() const;
	std::uint64_t dropped() const { return _dropped; }
	std::size_t size() const { return _events.size(); }

private:
	std::vector<TimedMidi> _events;
	std::size_t _next = 0;
	std::vector<vst2::VstMidiEvent> _midi;
	std::vector<vst2::VstMidiSysexEvent> _sysex;
	std::vector<std::uint64_t> _list_storage; // VstEvents with kCapacity pointers
	std::uint64_t _dropped = 0;
};

} // namespace plughost
