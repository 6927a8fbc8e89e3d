// Automation check: random parameter values every 32 frames, set from the
// audio thread between short process calls, as hosts that split their
// cycles at automation points do.
#include "tools/plughost/validate/GuardedBuffers.h"

#include "basic/CLocale.h"

#include <cmath>

namespace plughost
{

namespace
{

void check_audio_thread(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_params(ctx, r, 44100, 512);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	Rng rng(ctx.seed);
	GuardedBuffers buf(p->effect()->numInputs, p->effect()->numOutputs, 32);
	const long cycles = ctx.scaled(44100 * 2 / 512);
	std::int64_t pos = 0;
	for (long k = 0; k < cycles; ++k)
	{
		for (int s = 0; s < 512 / 32; ++s)
		{
			const int nbr_changes = int(rng.range(1, 3));
			for (int j = 0; j < nbr_changes; ++j)
			{
				const auto idx = vst2::int32(rng.range(0, np - 1));
				const float v = float(rng.uniform());
				p->set_parameter_audio(idx, v);
				const float back = p->get_parameter_audio(idx);
				if (!(back >= 0.0f && back <= 1.0f))
				{
					r.fail(basic::c_format("parameter %d set to %g reads back %g", idx, double(v), double(back)));
					return;
				}
			}
			buf.prepare(rng, 32);
			p->host().set_transport(pos, true, 0);
			buf.process(*p, 32, ProcessForm::Replacing);
			pos += 32;
			OutputScan scan;
			const auto problems = buf.inspect(32, scan);
			if (!problems.empty() || !scan.clean())
			{
				r.fail(basic::c_format("cycle %ld, step %d: ", k, s) +
				       (problems.empty() ? scan.describe() : problems.front()));
				return;
			}
		}
	}
	r.note(std::to_string(cycles * 16) + " process calls of 32 frames with random automation between them: clean");
}

} // namespace

void add_automation_checks(std::vector<Check> &c)
{
	c.push_back({"automation.audio-thread", "random automation every 32 frames from the audio thread",
	             check_audio_thread});
}

} // namespace plughost
