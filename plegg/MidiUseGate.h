// Tells threads that free shared objects whether any user is inside:
// users pass the gate without waiting (two atomic counts), and an object
// that was unpublished before the gate was seen empty is no longer
// reachable by anyone and may be freed.
//
// Users are the audio thread and the other threads that read published
// MIDI objects without a lock; only non-audio threads free.
#pragma once

#include <atomic>

namespace plegg
{

class MidiUseGate
{
public:
	class Pass
	{
	public:
		explicit Pass(const MidiUseGate &g) : gate(g) { gate.enter(); }
		~Pass() { gate.leave(); }
		Pass(const Pass &) = delete;
		Pass &operator=(const Pass &) = delete;

	private:
		const MidiUseGate &gate;
	};

	void enter() const { users.fetch_add(1, std::memory_order_seq_cst); }
	void leave() const { users.fetch_sub(1, std::memory_order_seq_cst); }
	// True when nobody was inside at this instant.
	bool is_idle() const { return users.load(std::memory_order_seq_cst) == 0; }

private:
	mutable std::atomic<int> users{0};
};

} // namespace plegg
