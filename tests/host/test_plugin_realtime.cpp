// The audio-thread calls never allocate: the allocator is interposed here,
// in the host process, and counts calls while a flag is set.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <vector>

#include "tests/host/PluginHarness.h"

extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
extern "C" void __libc_free(void *);

namespace
{

std::atomic<bool> watching{false};
std::atomic<int> allocations{0};

void note()
{
	if (watching.load(std::memory_order_relaxed))
		allocations.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

extern "C" void *malloc(size_t n)
{
	note();
	return __libc_malloc(n);
}

extern "C" void *calloc(size_t a, size_t b)
{
	note();
	return __libc_calloc(a, b);
}

extern "C" void *realloc(void *p, size_t n)
{
	note();
	return __libc_realloc(p, n);
}

extern "C" void free(void *p)
{
	if (p != nullptr)
		note();
	__libc_free(p);
}

using test::PluginHarness;
using namespace vst2;

TEST(PluginRealtime, AudioThreadCallsNeverAllocate)
{
	PluginHarness host;
	AEffect *fx = host.open();
	ASSERT_NE(fx, nullptr);
	PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, 48000.0f);
	PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	std::vector<float> l(512, 0.3f);
	std::vector<float> r(512, -0.3f);
	std::vector<float> ol(512);
	std::vector<float> orr(512);
	float *in[2] = {l.data(), r.data()};
	float *out[2] = {ol.data(), orr.data()};
	for (int p = 0; p < 8; ++p)
	{
		PluginHarness::dispatch(fx, effSetProgram, 0, p);
		fx->processReplacing(fx, in, out, 512);
		watching = true;
		for (int b = 0; b < 20; ++b)
		{
			fx->setParameter(fx, b % 8, static_cast<float>(b) / 20.0f);
			(void)fx->getParameter(fx, b % 8);
			fx->processReplacing(fx, in, out, 512);
			fx->process(fx, in, out, 100 + b);
		}
		watching = false;
	}
	EXPECT_EQ(allocations.load(), 0);
	host.close(fx);
}
