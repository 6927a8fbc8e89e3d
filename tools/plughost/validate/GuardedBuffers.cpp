#include "tools/plughost/validate/GuardedBuffers.h"

#include <cstring>

namespace plughost
{

namespace
{

constexpr float kSentinel = -12345.625f;

bool is_sentinel(float x)
{
	return std::memcmp(&x, &kSentinel, sizeof(float)) == 0;
}

} // namespace

GuardedBuffers::GuardedBuffers(int nbr_in, int nbr_out, long max_frames)
: _nbr_in(nbr_in)
, _nbr_out(nbr_out)
, _max(std::max(1L, max_frames))
, _in(std::size_t(std::max(1, nbr_in)), std::vector<float>(std::size_t(_max + 2 * kGuard)))
, _in_copy(_in)
, _out(std::size_t(std::max(1, nbr_out)), std::vector<float>(std::size_t(_max + 2 * kGuard)))
{
	for (auto &b : _in)
	{
		_in_ptrs.push_back(b.data() + kGuard);
	}
	for (auto &b : _out)
	{
		_out_ptrs.push_back(b.data() + kGuard);
	}
}

void GuardedBuffers::prepare(Rng &rng, long n, float pre)
{
	for (std::size_t c = 0; c < _in.size(); ++c)
	{
		auto &b = _in[c];
		std::fill(b.begin(), b.end(), kSentinel);
		for (long i = 0; i < n; ++i)
		{
			b[std::size_t(kGuard + i)] = rng.noise() * 0.5f;
		}
		_in_copy[c] = b;
	}
	for (auto &b : _out)
	{
		std::fill(b.begin(), b.end(), kSentinel);
		std::fill(b.begin() + kGuard, b.begin() + kGuard + n, pre);
	}
}

void GuardedBuffers::process(PluginInstance &p, long n, ProcessForm form, bool in_place)
{
	_in_place = in_place;
	if (in_place)
	{
		for (int c = 0; c < std::min(_nbr_in, _nbr_out); ++c)
		{
			std::copy(_in_ptrs[std::size_t(c)], _in_ptrs[std::size_t(c)] + n, _out_ptrs[std::size_t(c)]);
		}
		p.process_audio(_out_ptrs.data(), _out_ptrs.data(), vst2::int32(n), form);
	}
	else
	{
		p.process_audio(_in_ptrs.data(), _out_ptrs.data(), vst2::int32(n), form);
	}
}

std::vector<std::string> GuardedBuffers::inspect(long n, OutputScan &scan) const
{
	std::vector<std::string> problems;
	for (int c = 0; c < _nbr_out; ++c)
	{
		const auto &b = _out[std::size_t(c)];
		long before = 0;
		long after = 0;
		for (long i = 0; i < kGuard; ++i)
		{
			before += is_sentinel(b[std::size_t(i)]) ? 0 : 1;
		}
		for (long i = kGuard + n; i < long(b.size()); ++i)
		{
			after += is_sentinel(b[std::size_t(i)]) ? 0 : 1;
		}
		if (before > 0 || after > 0)
		{
			problems.push_back("output " + std::to_string(c) + " written outside the " + std::to_string(n) +
			                   " frames given (" + std::to_string(before) + " before, " + std::to_string(after) +
			                   " after)");
		}
		scan.scan(b.data() + kGuard, n);
	}
	if (!_in_place)
	{
		for (int c = 0; c < _nbr_in; ++c)
		{
			if (_in[std::size_t(c)] != _in_copy[std::size_t(c)])
			{
				problems.push_back("input " + std::to_string(c) + " changed by a call of " + std::to_string(n) +
				                   " frames");
			}
		}
	}
	return problems;
}

} // namespace plughost
