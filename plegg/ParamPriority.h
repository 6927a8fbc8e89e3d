// Arbitration of one parameter between writers (host, MIDI, editor, morphs):
// a lower priority is refused while a higher one holds the parameter, unless
// the holder's grant is older than its time to live.
#pragma once

#include <atomic>

namespace plegg
{

class ParamPriority
{
public:
	ParamPriority() = default;
	ParamPriority(const ParamPriority &other);
	ParamPriority &operator=(const ParamPriority &other);

	// Granted when priority >= holder or time_stamp + ttl < now; a grant
	// records now and the new holder. A refusal changes nothing.
	bool get(double now, int priority);
	bool is_free(double now, int priority) const;
	void release(int priority);
	void release();
	void set_ttl(double seconds);

	double get_time_stamp() const { return time_stamp.load(std::memory_order_relaxed); }
	int get_holder_priority() const { return holder_priority.load(std::memory_order_relaxed); }

private:
	// Writers on the audio thread and on the editor thread are serialised
	// only by the time test: each field is atomic, the last grant wins.
	std::atomic<double> time_stamp{0.0};
	std::atomic<double> ttl{0.5};
	std::atomic<int> holder_priority{0};
};

} // namespace plegg
