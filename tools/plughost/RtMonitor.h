// Watches the audio-thread calls for real-time violations. The calls into the
// plug-in that hosts make on the audio thread run inside an RtScope; the
// interposed allocator, mutex and blocking functions (RtInterpose.cpp, linked
// into the plughost executable only) count what they see while a scope is
// open on the calling thread.
#pragma once

#include <cstdint>

namespace plughost
{

enum class RtKind : int
{
	Alloc,
	Free,
	Lock,
	Wait,
	Sleep,
	FileIo,
	Other,
	NbrKinds
};

// Name of the kind, for reports.
const char *rt_kind_name(RtKind kind);

// True when the interposing functions are linked in and active.
bool rt_monitor_available();

// Called by the interposer at start-up.
void rt_monitor_set_available(bool flag);

// True while the calling thread is inside an RtScope.
bool rt_in_scope();

// Records one violation of the given kind; fn names the function called.
// Allocation-free and lock-free: it is called from inside malloc.
void rt_record(RtKind kind, const char *fn);

struct RtCounts
{
	std::uint64_t count[static_cast<int>(RtKind::NbrKinds)];
	const char *first_fn; // first function seen since the last reset, or null
	std::uint64_t total() const;
};

RtCounts rt_counts();
void rt_reset();

// Marks the calling thread as the audio thread for the scope.
class RtScope
{
public:
	RtScope();
	~RtScope();
	RtScope(const RtScope &) = delete;
	RtScope &operator=(const RtScope &) = delete;

private:
	bool _was;
};

} // namespace plughost

// C entry points for the interposer.
extern "C" int plughost_rt_in_scope(void);
extern "C" void plughost_rt_record(int kind, const char *fn);
extern "C" void plughost_rt_set_available(void);
