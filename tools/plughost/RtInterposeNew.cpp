// The C++ allocation operators, interposed like malloc in RtInterpose.c, so
// a report names "operator new" where the plug-in used it.
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define PLUGHOST_NO_INTERPOSE 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PLUGHOST_NO_INTERPOSE 1
#endif

#ifndef PLUGHOST_NO_INTERPOSE

extern "C" int plughost_rt_in_scope(void);
extern "C" void plughost_rt_record(int kind, const char *fn);
extern "C" void *__libc_malloc(std::size_t);
extern "C" void *__libc_memalign(std::size_t, std::size_t);
extern "C" void __libc_free(void *);

namespace
{

constexpr int kAlloc = 0;
constexpr int kFree = 1;

void *allocate(std::size_t n, const char *name)
{
	if (plughost_rt_in_scope())
	{
		plughost_rt_record(kAlloc, name);
	}
	return __libc_malloc(n == 0 ? 1 : n);
}

void *allocate_aligned(std::size_t n, std::size_t align, const char *name)
{
	if (plughost_rt_in_scope())
	{
		plughost_rt_record(kAlloc, name);
	}
	return __libc_memalign(align, n == 0 ? 1 : n);
}

void release(void *p, const char *name)
{
	if (p != nullptr && plughost_rt_in_scope())
	{
		plughost_rt_record(kFree, name);
	}
	__libc_free(p);
}

} // namespace

#pragma GCC visibility push(default)

void *operator new(std::size_t n)
{
	void *p = allocate(n, "operator new");
	if (p == nullptr)
	{
		throw std::bad_alloc();
	}
	return p;
}

void *operator new[](std::size_t n)
{
	void *p = allocate(n, "operator new[]");
	if (p == nullptr)
	{
		throw std::bad_alloc();
	}
	return p;
}

void *operator new(std::size_t n, const std::nothrow_t &) noexcept
{
	return allocate(n, "operator new");
}

void *operator new[](std::size_t n, const std::nothrow_t &) noexcept
{
	return allocate(n, "operator new[]");
}

void *operator new(std::size_t n, std::align_val_t a)
{
	void *p = allocate_aligned(n, std::size_t(a), "operator new");
	if (p == nullptr)
	{
		throw std::bad_alloc();
	}
	return p;
}

void *operator new[](std::size_t n, std::align_val_t a)
{
	void *p = allocate_aligned(n, std::size_t(a), "operator new[]");
	if (p == nullptr)
	{
		throw std::bad_alloc();
	}
	return p;
}

void *operator new(std::size_t n, std::align_val_t a, const std::nothrow_t &) noexcept
{
	return allocate_aligned(n, std::size_t(a), "operator new");
}

void *operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t &) noexcept
{
	return allocate_aligned(n, std::size_t(a), "operator new[]");
}

void operator delete(void *p) noexcept { release(p, "operator delete"); }
void operator delete[](void *p) noexcept { release(p, "operator delete[]"); }
void operator delete(void *p, std::size_t) noexcept { release(p, "operator delete"); }
void operator delete[](void *p, std::size_t) noexcept { release(p, "operator delete[]"); }
void operator delete(void *p, const std::nothrow_t &) noexcept { release(p, "operator delete"); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { release(p, "operator delete[]"); }
void operator delete(void *p, std::align_val_t) noexcept { release(p, "operator delete"); }
void operator delete[](void *p, std::align_val_t) noexcept { release(p, "operator delete[]"); }
void operator delete(void *p, std::size_t, std::align_val_t) noexcept { release(p, "operator delete"); }
void operator delete[](void *p, std::size_t, std::align_val_t) noexcept { release(p, "operator delete[]"); }

#pragma GCC visibility pop

#endif
