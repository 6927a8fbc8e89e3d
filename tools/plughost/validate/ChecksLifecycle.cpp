// Lifecycle check: 100 instances opened and closed one after another,
// several alive at once, and created from several threads, without a leak.
#include "tools/plughost/validate/CheckSupport.h"

#include "basic/CLocale.h"

#include <malloc.h>
#include <thread>

extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak));

namespace plughost
{

namespace
{

bool cycle(CheckContext &ctx, CheckReport &r, Rng &rng)
{
	std::string err;
	auto p = make_instance(ctx, err, 44100, 256);
	if (!p)
	{
		r.fail(err);
		return false;
	}
	const OutputScan s = process_noise(*p, rng, 256, 256);
	if (!s.clean())
	{
		r.fail("a new instance gave " + s.describe());
		return false;
	}
	p->close();
	return true;
}

void check_open_close(CheckContext &ctx, CheckReport &r)
{
	Rng rng(ctx.seed);
	const bool leak_checker = &__lsan_do_recoverable_leak_check != nullptr;
	// Warm-up: first-use allocations (caches, shared tables) are not leaks.
	for (int k = 0; k < 5; ++k)
	{
		if (!cycle(ctx, r, rng))
		{
			return;
		}
	}
	const auto before = mallinfo2().uordblks;
	const int n = int(std::max(100L, ctx.scaled(100)));
	for (int k = 0; k < n; ++k)
	{
		if (!cycle(ctx, r, rng))
		{
			return;
		}
	}
	const auto after = mallinfo2().uordblks;
	{
		std::vector<std::unique_ptr<PluginInstance>> alive;
		for (int k = 0; k < 8; ++k)
		{
			std::string err;
			alive.push_back(make_instance(ctx, err, 44100, 256));
			if (!alive.back())
			{
				r.fail("instance " + std::to_string(k) + " of 8 at once: " + err);
				return;
			}
		}
		for (auto &p : alive)
		{
			const OutputScan s = process_noise(*p, rng, 512, 256);
			if (!s.clean())
			{
				r.fail("with 8 instances alive: " + s.describe());
				return;
			}
		}
	}
	std::atomic<int> failures{0};
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; ++t)
	{
		threads.emplace_back([&, t] {
			Rng trng(ctx.seed + std::uint64_t(t) + 1);
			for (long k = 0; k < ctx.scaled(10); ++k)
			{
				std::string err;
				auto p = make_instance(ctx, err, 44100, 256);
				if (!p)
				{
					++failures;
					continue;
				}
				process_noise(*p, trng, 256, 256);
			}
		});
	}
	for (auto &t : threads)
	{
		t.join();
	}
	if (failures.load() > 0)
	{
		r.fail(std::to_string(failures.load()) + " instances created from 4 threads failed to load");
	}
	if (leak_checker)
	{
		if (__lsan_do_recoverable_leak_check() != 0)
		{
			r.fail("LeakSanitizer found leaks (see its report above)");
		}
		else
		{
			r.note(std::to_string(n) + " instances opened and closed, 8 at once, 4 threads: no leak (LeakSanitizer)");
		}
		return;
	}
	const double per_instance = (double(after) - double(before)) / n;
	if (per_instance > 256.0)
	{
		r.fail(basic::c_format("the heap grew by %.0f bytes per instance opened and closed", per_instance));
		return;
	}
	r.note(basic::c_format("%d instances opened and closed (heap %+.0f bytes per instance), 8 at once, 4 threads", n,
	                       per_instance));
}

} // namespace

void add_lifecycle_checks(std::vector<Check> &c)
{
	c.push_back({"lifecycle.open-close", "100 instances, several at once, from several threads, no leak",
	             check_open_close});
}

} // namespace plughost
