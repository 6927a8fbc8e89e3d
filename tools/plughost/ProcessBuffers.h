// Channel buffers and the pointer arrays handed to the process calls, sized
// once for the largest block. Pointer arrays always have at least one entry,
// so a plug-in with no inputs still gets a valid array.
#pragma once

#include <vector>

namespace plughost
{

class ProcessBuffers
{
public:
	ProcessBuffers(int nbr_inputs, int nbr_outputs, long max_frames);

	float **inputs() { return _in_ptrs.data(); }
	float **outputs() { return _out_ptrs.data(); }
	float *input(int c) { return _in_ptrs[std::size_t(c)]; }
	float *output(int c) { return _out_ptrs[std::size_t(c)]; }

	void clear_inputs(long frames);
	void clear_outputs(long frames);

private:
	int _nbr_in;
	int _nbr_out;
	long _max;
	std::vector<std::vector<float>> _in;
	std::vector<std::vector<float>> _out;
	std::vector<float *> _in_ptrs;
	std::vector<float *> _out_ptrs;
};

} // namespace plughost
