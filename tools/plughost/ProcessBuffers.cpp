#include "tools/plughost/ProcessBuffers.h"

#include <algorithm>

namespace plughost
{

ProcessBuffers::ProcessBuffers(int nbr_inputs, int nbr_outputs, long max_frames)
: _nbr_in(std::max(0, nbr_inputs))
, _nbr_out(std::max(0, nbr_outputs))
, _max(std::max(1L, max_frames))
, _in(std::size_t(std::max(1, _nbr_in)), std::vector<float>(std::size_t(_max), 0.0f))
, _out(std::size_t(std::max(1, _nbr_out)), std::vector<float>(std::size_t(_max), 0.0f))
{
	for (auto &b : _in)
	{
		_in_ptrs.push_back(b.data());
	}
	for (auto &b : _out)
	{
		_out_ptrs.push_back(b.data());
	}
}

void ProcessBuffers::clear_inputs(long frames)
{
	for (auto *p : _in_ptrs)
	{
		std::fill(p, p + std::min(frames, _max), 0.0f);
	}
}

void ProcessBuffers::clear_outputs(long frames)
{
	for (auto *p : _out_ptrs)
	{
		std::fill(p, p + std::min(frames, _max), 0.0f);
	}
}

} // namespace plughost
