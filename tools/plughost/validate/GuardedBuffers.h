// Process buffers with a guard zone before and after each channel, filled
// with a sentinel, to see writes outside the frames given; inputs are
// compared with a copy to see writes into them.
#pragma once

#include "tools/plughost/validate/CheckSupport.h"

#include <vector>

namespace plughost
{

class GuardedBuffers
{
public:
	static constexpr long kGuard = 64;

	GuardedBuffers(int nbr_in, int nbr_out, long max_frames);

	// Fills n input frames with noise, outputs with pre (or a sentinel-free
	// value), and every guard with the sentinel.
	void prepare(Rng &rng, long n, float pre = 0.0f);
	// Processes n frames; in_place hands the output buffers as inputs too
	// (after copying the input there).
	void process(PluginInstance &p, long n, ProcessForm form, bool in_place = false);
	// Problems seen in the last call, empty when none; the output scan adds up.
	std::vector<std::string> inspect(long n, OutputScan &scan) const;

	float *out(int c) { return _out[std::size_t(c)].data() + kGuard; }
	int nbr_in() const { return _nbr_in; }
	int nbr_out() const { return _nbr_out; }

private:
	int _nbr_in;
	int _nbr_out;
	long _max;
	std::vector<std::vector<float>> _in;
	std::vector<std::vector<float>> _in_copy;
	std::vector<std::vector<float>> _out;
	std::vector<float *> _in_ptrs;
	std::vector<float *> _out_ptrs;
	bool _in_place = false;
};

} // namespace plughost
