// Which implementation of the engine's inner loops runs: the plain scalar
// code, or the lane-parallel kernels on SSE2 (every x86_64) or AVX2 (chosen
// at run time when the processor and the system support it). All three give
// the same bits; the scalar one is kept as the reference for tests.
#pragma once

namespace dsp
{

enum class SimdPath : int
{
	SCALAR = 0,
	SSE2,
	AVX2
};

// The widest path this processor runs.
SimdPath best_simd_path();
bool is_simd_path_supported(SimdPath path);
const char *simd_path_name(SimdPath path);

} // namespace dsp
