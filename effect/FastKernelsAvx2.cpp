// The kernels for AVX2. Everything in this unit is compiled for AVX2 (and
// not FMA) and is reached only through get_fast_kernels once the run-time
// check has found AVX2.
#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "dsp/AtanTable.h"
#include "effect/FastKernels.h"

// GCC takes the target for the whole region; clang attaches it to every
// function declared in it.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "dsp/VecAvx2.h"

namespace fast_avx2
{
#include "dsp/AtanVec.h"
#include "effect/FastKernelsImpl.h"
} // namespace fast_avx2

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const FastKernels &get_fast_kernels_avx2()
{
	static const FastKernels avx2 = fast_avx2::FastKernelsT<dsp::VecAvx2>::table();
	return avx2;
}
