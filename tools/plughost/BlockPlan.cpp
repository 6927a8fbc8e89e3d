#include "tools/plughost/BlockPlan.h"

#include "tools/plughost/Args.h"

#include <algorithm>

namespace plughost
{

namespace
{

constexpr long kMaxBlock = 1 << 20;

} // namespace

bool BlockPlan::parse(const std::string &text, std::string &err)
{
	long lo = 0;
	long hi = 0;
	if (text.compare(0, 7, "random:") == 0)
	{
		const std::string range = text.substr(7);
		const auto dash = range.find('-');
		if (dash == std::string::npos || !parse_long(range.substr(0, dash), lo) ||
		    !parse_long(range.substr(dash + 1), hi))
		{
			err = "--block random:LO-HI wants two whole numbers, not \"" + text + "\"";
			return false;
		}
	}
	else if (parse_long(text, lo))
	{
		hi = lo;
	}
	else
	{
		err = "--block wants FRAMES or random:LO-HI, not \"" + text + "\"";
		return false;
	}
	if (lo < 1 || hi < lo || hi > kMaxBlock)
	{
		err = "--block sizes must be from 1 to " + std::to_string(kMaxBlock) + " frames, low first";
		return false;
	}
	_lo = lo;
	_hi = hi;
	return true;
}

void BlockPlan::set_fixed(long frames)
{
	_lo = _hi = std::clamp(frames, 1L, kMaxBlock);
}

long BlockPlan::next(long remaining)
{
	long n = _lo;
	if (_hi > _lo)
	{
		// xorshift64*: the same sequence for the same seed everywhere.
		_rng ^= _rng >> 12;
		_rng ^= _rng << 25;
		_rng ^= _rng >> 27;
		const std::uint64_t r = _rng * 0x2545F4914F6CDD1Dull;
		n = _lo + long((r >> 11) % std::uint64_t(_hi - _lo + 1));
	}
	return std::max(0L, std::min(n, remaining));
}

std::string BlockPlan::describe() const
{
	return _lo == _hi ? std::to_string(_lo) : "random " + std::to_string(_lo) + " to " + std::to_string(_hi);
}

} // namespace plughost
