// Race-free hand-over of engine state changes (sample rate, buffer clears)
// from the host's non-audio threads to the audio thread.
//
// A change that arrives while a process call runs is left pending and taken
// by the audio thread at the start of its next call; with no process call
// running it is applied at once by the caller. The audio thread never waits:
// if a change is being applied at the moment a process call starts, that call
// is skipped (the host gets silence), as hosts themselves do while state is
// being set.
#pragma once

#include <atomic>
#include <thread>

namespace plegg
{

class StateHandOver
{
public:
	// Non-audio thread: asks for a buffer clear, with a new sample rate when
	// rate > 0. apply() (which calls take_pending) runs now on this thread,
	// or later on the audio thread.
	template <class Apply>
	void request(float rate, Apply &&apply)
	{
		if (rate > 0)
			pending_rate.store(rate, std::memory_order_relaxed);
		pending_clear.store(true, std::memory_order_relaxed);
		unsigned f = flags.load(std::memory_order_acquire);
		while (true)
		{
			if ((f & BUSY) != 0)
			{
				// Another non-audio thread is applying: wait for it (never
				// the audio thread), then look again.
				std::this_thread::yield();
				f = flags.load(std::memory_order_acquire);
				continue;
			}
			if ((f & PROCESSING) != 0)
			{
				if (flags.compare_exchange_weak(f, f | PENDING, std::memory_order_acq_rel))
					return;
				continue;
			}
			if (flags.compare_exchange_weak(f, f | BUSY, std::memory_order_acq_rel))
				break;
		}
		// Cleared even when apply throws, or every later call would wait.
		struct Done
		{
			std::atomic<unsigned> &f;
			~Done() { f.fetch_and(~(BUSY | PENDING), std::memory_order_release); }
		} done{flags};
		apply();
	}

	// Audio thread, at the start of a process call. False: skip this call
	// (a change is being applied right now). True: process; a pending change
	// has been applied first through apply().
	template <class Apply>
	bool begin_process(Apply &&apply)
	{
		unsigned f = flags.load(std::memory_order_acquire);
		while (true)
		{
			if ((f & BUSY) != 0)
				return false;
			if (flags.compare_exchange_weak(f, (f | PROCESSING) & ~PENDING, std::memory_order_acq_rel))
				break;
		}
		if ((f & PENDING) != 0)
			apply();
		return true;
	}

	void end_process() { flags.fetch_and(~PROCESSING, std::memory_order_release); }

	// Ends the process call when it goes out of scope, however it leaves.
	class ProcessEnd
	{
	public:
		explicit ProcessEnd(StateHandOver &h) : hand_over(h) {}
		ProcessEnd(const ProcessEnd &) = delete;
		ProcessEnd &operator=(const ProcessEnd &) = delete;
		~ProcessEnd() { hand_over.end_process(); }

	private:
		StateHandOver &hand_over;
	};

	// Takes the pending request: true when a clear is due; rate receives the
	// new sample rate, or 0 when it did not change.
	bool take_pending(float &rate)
	{
		rate = pending_rate.exchange(0.0f, std::memory_order_relaxed);
		return pending_clear.exchange(false, std::memory_order_relaxed);
	}

private:
	static constexpr unsigned PROCESSING = 1;
	static constexpr unsigned PENDING = 2;
	static constexpr unsigned BUSY = 4;

	std::atomic<unsigned> flags{0};
	std::atomic<float> pending_rate{0.0f};
	std::atomic<bool> pending_clear{false};
};

} // namespace plegg
