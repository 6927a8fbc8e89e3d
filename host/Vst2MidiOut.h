// The MIDI output that travels through the host: what the MIDI manager
// sends is queued as VstMidiEvents and handed to the host once per audio
// block (audioMasterProcessEvents), every event with delta frames 0. MIDI
// queued during block n reaches the host at the start of block n + 1.
//
// Threads: any thread queues (the audio thread, the host's other threads on
// program changes, the editor's thread); the audio thread sends. The queue
// is a double buffer of CAPACITY events each with one atomic state word
// (buffer being filled, events reserved in it, writers still copying), so
// nobody locks or waits: a writer reserves all the slots of one message at
// once, and the audio thread switches buffers only when no writer is
// halfway, otherwise it sends at the next block. The buffer given to the
// host stays untouched until the next switch. Events beyond CAPACITY in one
// block are dropped.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "basic/Array.h"
#include "basic/DynArray.h"
#include "host/Vst2Component.h"
#include "plegg/MidiOut4BPacketMixin.h"
#include "vst2/aeffect.h"

namespace plegg
{

class Vst2MidiOut : public MidiOut4BPacketMixin, public Vst2Component
{
public:
	static constexpr int CAPACITY = 1024;

	class MidiOutBuffer
	{
	public:
		void init(int capacity);
		vst2::VstMidiEvent &use_event(int i) { return events[i]; }
		vst2::VstEvents *get_events() { return reinterpret_cast<vst2::VstEvents *>(event_list.get()); }
		std::size_t get_event_list_size() const { return event_list_size; }

	private:
		basic::DynArray<vst2::VstMidiEvent> events;
		// The VstEvents record: event count, reserved word, then one pointer
		// per event (16 + 8 x capacity bytes on x86_64).
		std::unique_ptr<std::uint64_t[]> event_list;
		std::size_t event_list_size = 0;
	};

	// Allocates and zeroes both buffers (once; before the audio thread runs).
	int init() override;
	int connect() override;
	int disconnect() override;
	bool is_connected() const { return connected.load(std::memory_order_acquire); }
	// Audio thread: sends the events queued since the last switch.
	void process_pre() override;
	void process_post() override {}
	void do_set_time_stamp(long t) override { (void)t; }

	// Events waiting in the buffer being filled.
	int get_nbr_queued() const { return static_cast<int>(state.load(std::memory_order_acquire) & COUNT_MASK); }
	int get_cur_buf() const { return (state.load(std::memory_order_acquire) & CUR_BIT) != 0 ? 1 : 0; }
	// The list of a buffer (tests; the host gets it through process_pre).
	vst2::VstEvents *get_events(int buf) { return buffers[static_cast<std::size_t>(buf)].get_events(); }

protected:
	bool enqueue_event(int status, int data1, int data2, int extra) override;
	bool enqueue_message(const Event *ev, int nbr) override;

private:
	static constexpr std::uint32_t COUNT_MASK = 0xFFF;
	static constexpr std::uint32_t PENDING_ONE = 1u << 12;
	static constexpr std::uint32_t PENDING_MASK = 0xFFFu << 12;
	static constexpr std::uint32_t CUR_BIT = 1u << 31;

	basic::Array<MidiOutBuffer, 2> buffers;
	std::atomic<std::uint32_t> state{0};
	std::atomic<bool> ready{false};
	std::atomic<bool> connected{false};
};

} // namespace plegg
