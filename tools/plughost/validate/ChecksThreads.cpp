// Thread check: parameter and program changes, names and chunk calls from
// two threads while a third processes, as Linux hosts do.
#include "tools/plughost/ProcessBuffers.h"
#include "tools/plughost/validate/CheckSupport.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace plughost
{

namespace
{

void check_concurrent(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 256);
	if (!p)
	{
		return;
	}
	PluginInstance &pi = *p;
	const vst2::AEffect *e = pi.effect();
	const int np = e->numParams;
	const int nprog = e->numPrograms;
	const bool chunks = has_chunks(pi);
	bool ok = false;
	const auto bank = chunks ? get_chunk(pi, 0, ok) : std::vector<unsigned char>{};
	const double seconds = std::min(4.0, 0.4 * ctx.strictness);
	std::atomic<bool> stop{false};
	std::atomic<long> blocks{0};
	std::atomic<long> dirty{0};

	std::thread audio([&] {
		Rng rng(ctx.seed);
		ProcessBuffers buf(e->numInputs, e->numOutputs, 256);
		std::int64_t pos = 0;
		while (!stop.load())
		{
			for (int c = 0; c < e->numInputs; ++c)
			{
				for (long i = 0; i < 256; ++i)
				{
					buf.input(c)[i] = rng.noise() * 0.5f;
				}
			}
			if (np > 0 && rng.range(0, 3) == 0)
			{
				pi.set_parameter_audio(vst2::int32(rng.range(0, np - 1)), float(rng.uniform()));
			}
			pi.host().set_transport(pos, true, 0);
			pi.process_audio(buf.inputs(), buf.outputs(), 256, ProcessForm::Replacing);
			pos += 256;
			OutputScan s;
			for (int c = 0; c < e->numOutputs; ++c)
			{
				s.scan(buf.output(c), 256);
			}
			dirty += s.clean() ? 0 : 1;
			++blocks;
		}
	});
	std::thread editor([&] {
		Rng rng(ctx.seed + 1);
		while (!stop.load())
		{
			if (np > 0)
			{
				const auto i = vst2::int32(rng.range(0, np - 1));
				pi.set_parameter(i, float(rng.uniform()));
				pi.get_parameter(i);
				pi.param_display(i);
			}
			if (nprog > 0 && rng.range(0, 7) == 0)
			{
				pi.set_program(rng.range(0, nprog - 1));
			}
		}
	});
	std::thread session([&] {
		Rng rng(ctx.seed + 2);
		while (!stop.load())
		{
			pi.effect_name();
			if (nprog > 0)
			{
				pi.program_name_indexed(int(rng.range(0, nprog - 1)));
			}
			if (np > 0)
			{
				pi.param_name(int(rng.range(0, np - 1)));
			}
			if (chunks && !bank.empty())
			{
				bool got = false;
				get_chunk(pi, int(rng.range(0, 1)), got);
				if (rng.range(0, 3) == 0)
				{
					std::vector<unsigned char> copy = bank;
					pi.dispatch(vst2::effSetChunk, 0, vst2::intptr(copy.size()), copy.data());
				}
			}
		}
	});
	std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
	stop = true;
	audio.join();
	editor.join();
	session.join();
	if (dirty.load() > 0)
	{
		r.fail(std::to_string(dirty.load()) + " of " + std::to_string(blocks.load()) +
		       " blocks had NaN, infinite or subnormal output");
		return;
	}
	r.note(std::to_string(blocks.load()) + " blocks processed while two threads changed parameters, programs" +
	       (chunks ? ", names and chunks" : " and names"));
}

} // namespace

void add_thread_checks(std::vector<Check> &c)
{
	c.push_back({"threads.concurrent", "parameter, program, name and chunk calls from two threads while a third processes",
	             check_concurrent});
}

} // namespace plughost
