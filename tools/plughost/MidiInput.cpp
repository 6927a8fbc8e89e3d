#include "tools/plughost/MidiInput.h"

#include <smf.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace plughost
{

bool read_midi_file(const std::string &path, double sample_rate, std::vector<TimedMidi> &events,
                    std::string &err)
{
	smf_t *smf = smf_load(path.c_str());
	if (smf == nullptr)
	{
		err = "cannot read the MIDI file " + path;
		return false;
	}
	std::vector<TimedMidi> out;
	smf_rewind(smf);
	for (smf_event_t *e = smf_get_next_event(smf); e != nullptr; e = smf_get_next_event(smf))
	{
		if (smf_event_is_metadata(e) || e->midi_buffer_length <= 0)
		{
			continue;
		}
		TimedMidi t;
		t.frame = std::int64_t(std::llround(e->time_seconds * sample_rate));
		t.bytes.assign(e->midi_buffer, e->midi_buffer + e->midi_buffer_length);
		out.push_back(std::move(t));
	}
	smf_delete(smf);
	std::stable_sort(out.begin(), out.end(), [](const TimedMidi &a, const TimedMidi &b) { return a.frame < b.frame; });
	events = std::move(out);
	return true;
}

MidiScheduler::MidiScheduler(std::vector<TimedMidi> events)
: _events(std::move(events))
, _midi(kCapacity)
, _sysex(kCapacity)
, _list_storage((vst2::vst_events_size(kCapacity) + 7) / 8, 0)
{
}

vst2::VstEvents *MidiScheduler::block(std::int64_t start, long frames)
{
	auto *list = reinterpret_cast<vst2::VstEvents *>(_list_storage.data());
	list->numEvents = 0;
	list->reserved = 0;
	// The pointer array is declared with 2 entries and allocated longer.
	auto **slots = vst2::event_slots(list);
	// Events before the block (a jump forward) are skipped.
	while (_next < _events.size() && _events[_next].frame < start)
	{
		++_next;
	}
	int n = 0;
	int nbr_midi = 0;
	int nbr_sysex = 0;
	while (_next < _events.size() && _events[_next].frame < start + frames)
	{
		const TimedMidi &t = _events[_next++];
		if (n >= kCapacity)
		{
			++_dropped;
			continue;
		}
		const auto offset = vst2::int32(t.frame - start);
		if (t.bytes[0] == 0xF0 || t.bytes[0] == 0xF7)
		{
			vst2::VstMidiSysexEvent &s = _sysex[std::size_t(nbr_sysex++)];
			s = vst2::VstMidiSysexEvent{};
			s.type = vst2::kVstSysExType;
			s.byteSize = vst2::int32(sizeof(s));
			s.deltaFrames = offset;
			s.dumpBytes = vst2::int32(t.bytes.size());
			s.sysexDump = reinterpret_cast<char *>(const_cast<unsigned char *>(t.bytes.data()));
			slots[n++] = reinterpret_cast<vst2::VstEvent *>(&s);
		}
		else
		{
			vst2::VstMidiEvent &m = _midi[std::size_t(nbr_midi++)];
			m = vst2::VstMidiEvent{};
			m.type = vst2::kVstMidiType;
			m.byteSize = vst2::int32(sizeof(m));
			m.deltaFrames = offset;
			std::memcpy(m.midiData, t.bytes.data(), std::min<std::size_t>(3, t.bytes.size()));
			slots[n++] = reinterpret_cast<vst2::VstEvent *>(&m);
		}
	}
	list->numEvents = n;
	return list;
}

std::int64_t MidiScheduler::last_frame() const
{
	return _events.empty() ? 0 : _events.back().frame;
}

} // namespace plughost
