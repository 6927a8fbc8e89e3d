#include "tools/plughost/RtMonitor.h"

#include <atomic>

namespace plughost
{

namespace
{

std::atomic<bool> g_available{false};
std::atomic<std::uint64_t> g_counts[static_cast<int>(RtKind::NbrKinds)];
std::atomic<const char *> g_first_fn{nullptr};

// initial-exec: reading the flag from inside malloc must never allocate.
__attribute__((tls_model("initial-exec"))) thread_local bool t_in_scope = false;

} // namespace

const char *rt_kind_name(RtKind kind)
{
	switch (kind)
	{
	case RtKind::Alloc: return "allocation";
	case RtKind::Free: return "free";
	case RtKind::Lock: return "lock";
	case RtKind::Wait: return "wait";
	case RtKind::Sleep: return "sleep";
	case RtKind::FileIo: return "file or socket I/O";
	default: return "system call";
	}
}

bool rt_monitor_available()
{
	return g_available.load(std::memory_order_relaxed);
}

void rt_monitor_set_available(bool flag)
{
	g_available.store(flag, std::memory_order_relaxed);
}

bool rt_in_scope()
{
	return t_in_scope;
}

void rt_record(RtKind kind, const char *fn)
{
	g_counts[static_cast<int>(kind)].fetch_add(1, std::memory_order_relaxed);
	const char *expected = nullptr;
	g_first_fn.compare_exchange_strong(expected, fn, std::memory_order_relaxed);
}

std::uint64_t RtCounts::total() const
{
	std::uint64_t t = 0;
	for (auto c : count)
	{
		t += c;
	}
	return t;
}

RtCounts rt_counts()
{
	RtCounts c{};
	for (int k = 0; k < static_cast<int>(RtKind::NbrKinds); ++k)
	{
		c.count[k] = g_counts[k].load(std::memory_order_relaxed);
	}
	c.first_fn = g_first_fn.load(std::memory_order_relaxed);
	return c;
}

void rt_reset()
{
	for (auto &c : g_counts)
	{
		c.store(0, std::memory_order_relaxed);
	}
	g_first_fn.store(nullptr, std::memory_order_relaxed);
}

RtScope::RtScope() : _was(t_in_scope)
{
	t_in_scope = true;
}

RtScope::~RtScope()
{
	t_in_scope = _was;
}

} // namespace plughost

extern "C" int plughost_rt_in_scope(void)
{
	return plughost::rt_in_scope() ? 1 : 0;
}

extern "C" void plughost_rt_record(int kind, const char *fn)
{
	plughost::rt_record(static_cast<plughost::RtKind>(kind), fn);
}

extern "C" void plughost_rt_set_available(void)
{
	plughost::rt_monitor_set_available(true);
}
