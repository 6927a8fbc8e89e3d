// Real-time checks: no allocation, lock, wait or blocking system call in
// the calls hosts make on the audio thread, seen through the functions the
// plughost executable interposes.
#include "tools/plughost/RtMonitor.h"
#include "tools/plughost/ProcessBuffers.h"
#include "tools/plughost/validate/CheckSupport.h"

namespace plughost
{

namespace
{

std::string describe(const RtCounts &c)
{
	std::vector<std::string> parts;
	for (int k = 0; k < static_cast<int>(RtKind::NbrKinds); ++k)
	{
		if (c.count[k] > 0)
		{
			parts.push_back(std::to_string(c.count[k]) + " " + rt_kind_name(static_cast<RtKind>(k)));
		}
	}
	return first_items(parts, 7) + (c.first_fn != nullptr ? std::string(" (first: ") + c.first_fn + ")" : "");
}

bool require_monitor(CheckReport &r)
{
	if (!rt_monitor_available())
	{
		r.skip("the interposed allocator and locks are not in this build (sanitizer build or library use)");
		return false;
	}
	return true;
}

void check_process(CheckContext &ctx, CheckReport &r)
{
	if (!require_monitor(r))
	{
		return;
	}
	auto p = make_instance_or_fail(ctx, r, 44100, 1024);
	if (!p)
	{
		return;
	}
	const vst2::AEffect *e = p->effect();
	ProcessBuffers buf(e->numInputs, e->numOutputs, 1024);
	Rng rng(ctx.seed);
	auto call = [&](long n) {
		for (int c = 0; c < e->numInputs; ++c)
		{
			for (long i = 0; i < n; ++i)
			{
				buf.input(c)[i] = rng.noise() * 0.5f;
			}
		}
		p->process_audio(buf.inputs(), buf.outputs(), vst2::int32(n), ProcessForm::Replacing);
	};
	rt_reset();
	call(1024);
	const RtCounts first = rt_counts();
	rt_reset();
	const long calls = ctx.scaled(300);
	for (long k = 0; k < calls; ++k)
	{
		call(rng.range(1, 1024));
	}
	const RtCounts steady = rt_counts();
	if (steady.total() > 0)
	{
		r.fail("in " + std::to_string(calls) + " process calls: " + describe(steady));
		return;
	}
	if (first.total() > 0)
	{
		r.warn("the first process call only: " + describe(first));
		return;
	}
	r.note(std::to_string(calls + 1) + " process calls without allocation, lock or blocking call");
}

void check_parameters(CheckContext &ctx, CheckReport &r)
{
	if (!require_monitor(r))
	{
		return;
	}
	auto p = make_instance_with_params(ctx, r, 44100, 256);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	Rng rng(ctx.seed);
	process_noise(*p, rng, 256, 256);
	rt_reset();
	const long rounds = ctx.scaled(20);
	for (long k = 0; k < rounds; ++k)
	{
		for (int i = 0; i < np; ++i)
		{
			p->set_parameter_audio(i, float(rng.uniform()));
			p->get_parameter_audio(i);
		}
		process_noise(*p, rng, 256, 256);
	}
	const RtCounts c = rt_counts();
	if (c.total() > 0)
	{
		r.fail("setParameter, getParameter and processing: " + describe(c));
		return;
	}
	r.note(std::to_string(rounds * np) + " setParameter and getParameter calls on the audio thread, none blocking");
}

} // namespace

void add_realtime_checks(std::vector<Check> &c)
{
	c.push_back({"realtime.process", "no allocation, lock or system call in processing", check_process});
	c.push_back({"realtime.parameters", "none in setParameter and getParameter either", check_parameters});
}

} // namespace plughost
