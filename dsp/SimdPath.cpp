#include "dsp/SimdPath.h"

namespace dsp
{

bool is_simd_path_supported(SimdPath path)
{
	switch (path) {
	case SimdPath::SCALAR:
	case SimdPath::SSE2:
		return true;
	case SimdPath::AVX2:
		// The compiler's run-time check also asks the system whether it saves
		// the wide registers.
		__builtin_cpu_init();
		return __builtin_cpu_supports("avx2");
	}
	return false;
}

SimdPath best_simd_path()
{
	static const SimdPath best = is_simd_path_supported(SimdPath::AVX2) ? SimdPath::AVX2 : SimdPath::SSE2;
	return best;
}

const char *simd_path_name(SimdPath path)
{
	switch (path) {
	case SimdPath::SCALAR:
		return "scalar";
	case SimdPath::SSE2:
		return "sse2";
	case SimdPath::AVX2:
		return "avx2";
	}
	return "?";
}

} // namespace dsp
