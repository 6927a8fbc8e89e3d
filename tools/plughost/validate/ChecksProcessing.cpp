// Processing checks: sample rates and block sizes, writes outside the
// frames given, inputs left alone, in-place buffers, block splits, the
// floating-point mode, suspend/resume, and the accumulating form.
#include "tools/plughost/validate/GuardedBuffers.h"

#include "tools/plughost/ProcessBuffers.h"

#include "basic/CLocale.h"

#include <cfenv>
#include <cmath>
#include <xmmintrin.h>

namespace plughost
{

namespace
{

const double kRates[] = {4000, 22050, 44100, 48000, 88200, 96000, 192000};
const long kBlocks[] = {0, 1, 2, 7, 32, 64, 100, 512, 1024, 4096, 8192};
constexpr long kMaxBlock = 8192;

// Runs calls of the given lengths, collecting problems (at most a few per
// kind) and the output scan.
struct CallRunner
{
	PluginInstance &p;
	GuardedBuffers buf;
	Rng &rng;
	std::vector<std::string> problems;
	OutputScan scan;
	std::int64_t pos = 0;

	CallRunner(PluginInstance &pi, Rng &r)
	: p(pi)
	, buf(pi.effect()->numInputs, pi.effect()->numOutputs, kMaxBlock)
	, rng(r)
	{
	}

	void call(long n, const std::string &where, ProcessForm form = ProcessForm::Replacing)
	{
		buf.prepare(rng, n);
		p.host().set_transport(pos, true, 0);
		buf.process(p, n, form);
		pos += n;
		OutputScan s;
		for (const auto &x : buf.inspect(n, s))
		{
			if (problems.size() < 8)
			{
				problems.push_back(where + ": " + x);
			}
		}
		if (!s.clean() && problems.size() < 8)
		{
			problems.push_back(where + ": " + s.describe());
		}
		scan.nan += s.nan;
		scan.inf += s.inf;
		scan.subnormal += s.subnormal;
		scan.peak = std::max(scan.peak, s.peak);
	}
};

void check_rates_blocks(CheckContext &ctx, CheckReport &r)
{
	Rng rng(ctx.seed);
	long calls = 0;
	for (double rate : kRates)
	{
		auto p = make_instance_or_fail(ctx, r, rate, kMaxBlock);
		if (!p)
		{
			return;
		}
		CallRunner run(*p, rng);
		for (long b : kBlocks)
		{
			const long n_calls = b == 0 ? 3 : std::clamp(ctx.scaled(16384) / b, 2L, ctx.scaled(48));
			for (long k = 0; k < n_calls; ++k)
			{
				run.call(b, basic::c_format("%g Hz, %ld frames", rate, b));
				++calls;
			}
		}
		for (const auto &x : run.problems)
		{
			r.fail(x);
		}
		if (!run.problems.empty())
		{
			return;
		}
	}
	r.note(std::to_string(calls) + " calls at 7 rates and 11 block sizes: clean, nothing written outside, inputs kept");
}

void check_varying(CheckContext &ctx, CheckReport &r)
{
	Rng rng(ctx.seed);
	for (double rate : {44100.0, 96000.0})
	{
		auto p = make_instance_or_fail(ctx, r, rate, 4096);
		if (!p)
		{
			return;
		}
		CallRunner run(*p, rng);
		const long n_calls = ctx.scaled(400);
		for (long k = 0; k < n_calls; ++k)
		{
			const long n = (k % 5 == 0) ? rng.range(1, 8) : rng.range(1, 4096);
			run.call(n, basic::c_format("%g Hz, call %ld of %ld frames", rate, k, n));
		}
		for (const auto &x : run.problems)
		{
			r.fail(x);
		}
		if (!run.problems.empty())
		{
			return;
		}
	}
	r.note("block sizes from 1 to 4096 varying per call: clean");
}

void check_in_place(CheckContext &ctx, CheckReport &r)
{
	auto a = make_instance_or_fail(ctx, r, 44100, 512);
	auto b = make_instance_or_fail(ctx, r, 44100, 512);
	if (!a || !b)
	{
		return;
	}
	const vst2::AEffect *e = a->effect();
	if (e->numInputs != e->numOutputs || e->numInputs == 0)
	{
		r.skip("inputs and outputs differ in number");
		return;
	}
	Rng ra(ctx.seed);
	Rng rb(ctx.seed);
	GuardedBuffers ba(e->numInputs, e->numOutputs, 512);
	GuardedBuffers bb(e->numInputs, e->numOutputs, 512);
	const long n_calls = ctx.scaled(100);
	for (long k = 0; k < n_calls; ++k)
	{
		const long n = 1 + long((k * 37) % 512);
		ba.prepare(ra, n);
		bb.prepare(rb, n);
		ba.process(*a, n, ProcessForm::Replacing, false);
		bb.process(*b, n, ProcessForm::Replacing, true);
		for (int c = 0; c < e->numOutputs; ++c)
		{
			for (long i = 0; i < n; ++i)
			{
				const float x = ba.out(c)[i];
				const float y = bb.out(c)[i];
				if (!(x == y || (std::isnan(x) && std::isnan(y))))
				{
					r.fail(basic::c_format("call %ld, channel %d, frame %ld: %.9g separate, %.9g in place", k, c, i,
					                       double(x), double(y)));
					return;
				}
			}
		}
	}
	r.note(std::to_string(n_calls) + " calls in place equal to separate buffers");
}

// Renders the same noise through a fresh instance with the given lengths.
std::vector<float> render_split(CheckContext &ctx, CheckReport &r, const std::vector<float> &noise, long max_block,
                                Rng *sizes)
{
	auto p = make_instance_or_fail(ctx, r, 44100, max_block);
	if (!p)
	{
		return {};
	}
	const vst2::AEffect *e = p->effect();
	ProcessBuffers buf(e->numInputs, e->numOutputs, max_block);
	std::vector<float> out;
	long pos = 0;
	const long total = long(noise.size());
	while (pos < total)
	{
		const long n = std::min(total - pos, sizes != nullptr ? sizes->range(1, max_block) : max_block);
		for (int c = 0; c < e->numInputs; ++c)
		{
			std::copy(noise.begin() + pos, noise.begin() + pos + n, buf.input(c));
		}
		buf.clear_outputs(n);
		p->host().set_transport(pos, true, 0);
		p->process_audio(buf.inputs(), buf.outputs(), vst2::int32(n), ProcessForm::Replacing);
		if (e->numOutputs > 0)
		{
			out.insert(out.end(), buf.output(0), buf.output(0) + n);
		}
		pos += n;
	}
	return out;
}

void check_block_split(CheckContext &ctx, CheckReport &r)
{
	Rng rng(ctx.seed);
	std::vector<float> noise(std::size_t(ctx.scaled(44100)));
	for (auto &x : noise)
	{
		x = rng.noise() * 0.5f;
	}
	const auto ref = render_split(ctx, r, noise, 512, nullptr);
	const auto b64 = render_split(ctx, r, noise, 64, nullptr);
	Rng sizes(ctx.seed + 1);
	const auto rnd = render_split(ctx, r, noise, 1000, &sizes);
	if (r.nbr_failures() > 0 || ref.empty())
	{
		if (ref.empty() && r.nbr_failures() == 0)
		{
			r.skip("no outputs");
		}
		return;
	}
	float peak = 0;
	for (float x : ref)
	{
		peak = std::max(peak, std::fabs(x));
	}
	auto compare = [&](const std::vector<float> &other, const char *what) {
		double max_diff = 0;
		for (std::size_t i = 0; i < std::min(ref.size(), other.size()); ++i)
		{
			max_diff = std::max(max_diff, double(std::fabs(ref[i] - other[i])));
		}
		if (max_diff == 0)
		{
			return std::string(what) + " identical";
		}
		const double db = 20.0 * std::log10(max_diff / std::max(1e-30, double(peak)));
		return basic::c_format("%s differ by up to %.1f dB below the peak", what, db);
	};
	// Reported, never failed: smoothing per block is legitimate.
	r.note("against blocks of 512: " + compare(b64, "blocks of 64") + ", " + compare(rnd, "random blocks"));
}

void check_fp_mode(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 512);
	if (!p)
	{
		return;
	}
	Rng rng(ctx.seed);
	GuardedBuffers buf(p->effect()->numInputs, p->effect()->numOutputs, 512);
	const unsigned saved = _mm_getcsr();
	const unsigned modes[] = {0x1F80u, 0x9FC0u, 0x1F80u | 0x6000u};
	for (unsigned mode : modes)
	{
		for (int k = 0; k < 4; ++k)
		{
			buf.prepare(rng, 256);
			_mm_setcsr(mode);
			buf.process(*p, 256, ProcessForm::Replacing);
			const unsigned after = _mm_getcsr() & ~0x3Fu; // exception flags may be raised
			_mm_setcsr(saved);
			if (after != (mode & ~0x3Fu))
			{
				r.fail(basic::c_format("MXCSR 0x%04X before the call, 0x%04X after", mode, after));
				return;
			}
		}
	}
	r.note("the caller's MXCSR (default, flush-to-zero, round toward zero) restored after each call");
}

void check_suspend_resume(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 512);
	if (!p)
	{
		return;
	}
	Rng rng(ctx.seed);
	auto sane = [&](const char *when) {
		const OutputScan s = process_noise(*p, rng, ctx.scaled(8192), 512);
		if (!s.clean() || s.peak > 1000.0f)
		{
			r.fail(std::string(when) + ": " + s.describe() + basic::c_format(", peak %g", double(s.peak)));
			return false;
		}
		return true;
	};
	if (!sane("first run"))
	{
		return;
	}
	p->suspend();
	p->resume();
	if (!sane("after suspend and resume"))
	{
		return;
	}
	p->suspend();
	p->set_sample_rate(96000);
	p->set_block_size(1024);
	p->resume();
	if (!sane("after a change to 96000 Hz"))
	{
		return;
	}
	p->set_sample_rate(22050);
	if (!sane("after a change to 22050 Hz while resumed"))
	{
		return;
	}
	r.note("sane after suspend/resume and sample-rate changes");
}

void check_before_resume(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 512, false);
	if (!p)
	{
		return;
	}
	Rng rng(ctx.seed);
	const OutputScan s = process_noise(*p, rng, 4096, 512);
	if (!s.clean())
	{
		r.fail("processing before effMainsChanged(1): " + s.describe());
		return;
	}
	r.note("processing before resume gives finite output");
}

void check_accumulating(CheckContext &ctx, CheckReport &r)
{
	auto a = make_instance_or_fail(ctx, r, 44100, 512);
	auto b = make_instance_or_fail(ctx, r, 44100, 512);
	if (!a || !b)
	{
		return;
	}
	const vst2::AEffect *e = a->effect();
	if (e->process == nullptr || e->processReplacing == nullptr)
	{
		r.skip("not both process forms");
		return;
	}
	Rng ra(ctx.seed);
	Rng rb(ctx.seed);
	Rng pre(ctx.seed + 7);
	GuardedBuffers ba(e->numInputs, e->numOutputs, 512);
	GuardedBuffers bb(e->numInputs, e->numOutputs, 512);
	double worst = 0;
	const long n_calls = ctx.scaled(40);
	for (long k = 0; k < n_calls; ++k)
	{
		const long n = 1 + long((k * 101) % 512);
		const float offset = pre.noise() * 0.25f;
		ba.prepare(ra, n, 0.0f);
		bb.prepare(rb, n, offset);
		ba.process(*a, n, ProcessForm::Replacing);
		bb.process(*b, n, ProcessForm::Accumulating);
		for (int c = 0; c < e->numOutputs; ++c)
		{
			for (long i = 0; i < n; ++i)
			{
				const double want = double(ba.out(c)[i]) + double(offset);
				const double diff = std::fabs(double(bb.out(c)[i]) - want);
				worst = std::max(worst, std::isnan(diff) ? 1e30 : diff / std::max(1.0, std::fabs(want)));
			}
		}
	}
	if (worst > 1e-5)
	{
		r.fail(basic::c_format("process does not add to the output buffers: off by up to %g", worst));
		return;
	}
	r.note("process adds to what the buffers held");
}

} // namespace

void add_processing_checks(std::vector<Check> &c)
{
	c.push_back({"process.rates-blocks", "rates 4000 to 192000 Hz, blocks 0 to 8192", check_rates_blocks});
	c.push_back({"process.varying", "block sizes varying per call", check_varying});
	c.push_back({"process.in-place", "in-place buffers equal to separate ones", check_in_place});
	c.push_back({"process.block-split", "output against the block split (reported)", check_block_split});
	c.push_back({"process.fp-mode", "the caller's floating-point mode restored", check_fp_mode});
	c.push_back({"process.suspend-resume", "sane after suspend/resume and rate changes", check_suspend_resume});
	c.push_back({"process.before-resume", "processing before resume", check_before_resume});
	c.push_back({"process.accumulating", "the accumulating process adds", check_accumulating});
}

} // namespace plughost
