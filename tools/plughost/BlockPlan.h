// The lengths of the process calls: a fixed size, or sizes drawn per call
// from a range ("512", "random:1-1024"). Every call gets exactly the length
// drawn, except the last, which is shorter when the material ends.
#pragma once

#include <cstdint>
#include <string>

namespace plughost
{

class BlockPlan
{
public:
	// Parses the option text; false with err when malformed.
	bool parse(const std::string &text, std::string &err);
	void set_fixed(long frames);
	void set_seed(std::uint64_t seed) { _rng = seed == 0 ? 0x9E3779B97F4A7C15ull : seed; }

	// The length of the next call, at most remaining.
	long next(long remaining);
	// The largest length a call can have (what effSetBlockSize gets).
	long max_block() const { return _hi; }
	bool is_random() const { return _lo != _hi; }
	std::string describe() const;

private:
	long _lo = 512;
	long _hi = 512;
	std::uint64_t _rng = 0x9E3779B97F4A7C15ull;
};

} // namespace plughost
