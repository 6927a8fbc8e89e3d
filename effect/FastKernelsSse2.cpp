// The kernels for SSE2, the baseline every x86_64 processor runs, and the
// choice of table by path.
#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "dsp/AtanTable.h"
#include "dsp/VecSse2.h"
#include "effect/FastKernels.h"

namespace fast_sse2
{
#include "dsp/AtanVec.h"
#include "effect/FastKernelsImpl.h"
} // namespace fast_sse2

// Defined in FastKernelsAvx2.cpp.
const FastKernels &get_fast_kernels_avx2();

const FastKernels &get_fast_kernels(dsp::SimdPath path)
{
	static const FastKernels sse2 = fast_sse2::FastKernelsT<dsp::VecSse2>::table();
	if (path == dsp::SimdPath::AVX2 && dsp::is_simd_path_supported(dsp::SimdPath::AVX2))
		return get_fast_kernels_avx2();
	return sse2;
}
