#include "tests/host/AllocationWatch.h"

#include <atomic>
#include <cstddef>

extern "C" void *__libc_malloc(std::size_t);
extern "C" void *__libc_calloc(std::size_t, std::size_t);
extern "C" void *__libc_realloc(void *, std::size_t);
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

extern "C" void *malloc(std::size_t n)
{
	note();
	return __libc_malloc(n);
}

extern "C" void *calloc(std::size_t a, std::size_t b)
{
	note();
	return __libc_calloc(a, b);
}

extern "C" void *realloc(void *p, std::size_t n)
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

namespace test
{

AllocationWatch::AllocationWatch()
{
	allocations.store(0);
	watching.store(true);
}

AllocationWatch::~AllocationWatch()
{
	watching.store(false);
}

int AllocationWatch::count() const
{
	return allocations.load();
}

} // namespace test
