// The host side of one plug-in instance: what plughost answers when the
// plug-in calls back (sample rate, block size, time info, pins, can-do...) and
// what it records (automation, MIDI sent to the host, the opcodes seen).
// Answers given on the audio thread never allocate or lock.
#pragma once

#include "vst2/aeffect.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost
{

enum class ProcessForm
{
	Replacing,
	Accumulating
};

struct AutomationRecord
{
	std::int64_t frame; // transport position of the block in which it came
	vst2::int32 index;
	float value;
};

struct MidiOutRecord
{
	std::int64_t block;
	vst2::int32 offset;
	int nbr_bytes;
	unsigned char bytes[4];
};

class HostContext
{
public:
	static constexpr std::size_t kAutomationCapacity = 1 << 16;
	static constexpr std::size_t kMidiOutCapacity = 1 << 14;
	static constexpr int kMaxEntryCalls = 32;

	HostContext();
	HostContext(const HostContext &) = delete;
	HostContext &operator=(const HostContext &) = delete;

	// The callback handed to plug-ins. Finds the instance's context from the
	// effect pointer (a lock-free registry), or the context of the entry call
	// running on this thread, or a shared default.
	static vst2::intptr callback(vst2::AEffect *effect, vst2::int32 opcode, vst2::int32 index,
	                             vst2::intptr value, void *ptr, float opt);

	// Links an effect record to this context for the callbacks to come.
	void attach(vst2::AEffect *effect);
	void detach();

	// Entry-call bracket: callbacks on this thread with an unknown effect go
	// to this context and are logged as entry-time calls.
	void begin_entry();
	void end_entry();
	int nbr_entry_calls() const { return _nbr_entry_calls; }
	vst2::int32 entry_call(int i) const { return _entry_calls[i]; }

	// Configuration, set before the calls it concerns.
	vst2::int32 version_answer = 2400;
	double sample_rate = 44100.0;
	vst2::int32 block_size = 1024;
	double tempo = 120.0;
	int time_sig_num = 4;
	int time_sig_den = 4;
	int connected_inputs = 1 << 30;  // pins below this index are connected
	int connected_outputs = 1 << 30;
	vst2::int32 audio_process_level = 2; // 2 realtime, 4 offline
	ProcessForm form = ProcessForm::Replacing;
	bool record_automation = true;
	bool record_midi_out = true;

	// Transport, set by the render loop before each block.
	void set_transport(std::int64_t sample_pos, bool playing, std::int64_t block_index);

	// Records, read after processing.
	std::size_t nbr_automation() const;
	const AutomationRecord &automation(std::size_t i) const { return _automation[i]; }
	std::size_t nbr_midi_out() const;
	const MidiOutRecord &midi_out(std::size_t i) const { return _midi_out[i]; }
	std::uint64_t midi_out_dropped() const { return _midi_out_dropped.load(); }

	// Answers an audioMasterCanDo text: 1 yes, 0 no.
	static vst2::intptr host_can_do(const char *text);

private:
	vst2::intptr answer(vst2::AEffect *effect, vst2::int32 opcode, vst2::int32 index,
	                    vst2::intptr value, void *ptr, float opt);
	void record_events(const vst2::VstEvents *ev);

	vst2::AEffect *_effect = nullptr;
	vst2::VstTimeInfo _time{};
	std::int64_t _block_index = 0;
	bool _first_block = true;

	std::unique_ptr<AutomationRecord[]> _automation;
	std::atomic<std::size_t> _nbr_automation{0};
	std::unique_ptr<MidiOutRecord[]> _midi_out;
	std::atomic<std::size_t> _nbr_midi_out{0};
	std::atomic<std::uint64_t> _midi_out_dropped{0};

	bool _in_entry = false;
	int _nbr_entry_calls = 0;
	vst2::int32 _entry_calls[kMaxEntryCalls]{};
};

} // namespace plughost
