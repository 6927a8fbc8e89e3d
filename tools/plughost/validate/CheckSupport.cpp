#include "tools/plughost/validate/CheckSupport.h"

#include "tools/plughost/ProcessBuffers.h"

#include "basic/CLocale.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace plughost
{

long CheckContext::scaled(long base) const
{
	return std::max(1L, base * long(strictness) / 5);
}

Rng::Rng(std::uint64_t seed) : _s(seed == 0 ? 0x9E3779B97F4A7C15ull : seed)
{
}

std::uint64_t Rng::next()
{
	_s ^= _s >> 12;
	_s ^= _s << 25;
	_s ^= _s >> 27;
	return _s * 0x2545F4914F6CDD1Dull;
}

double Rng::uniform()
{
	return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

long Rng::range(long lo, long hi)
{
	return hi <= lo ? lo : lo + long(next() % std::uint64_t(hi - lo + 1));
}

std::uint64_t check_seed(std::uint64_t seed, const std::string &name)
{
	std::uint64_t h = 1469598103934665603ull; // FNV-1a
	for (unsigned char c : name)
	{
		h = (h ^ c) * 1099511628211ull;
	}
	return h ^ (seed * 0x9E3779B97F4A7C15ull);
}

void OutputScan::scan(const float *p, long n)
{
	for (long i = 0; i < n; ++i)
	{
		const float x = p[i];
		if (std::isnan(x))
		{
			++nan;
		}
		else if (std::isinf(x))
		{
			++inf;
		}
		else
		{
			if (x != 0.0f && std::fabs(x) < FLT_MIN)
			{
				++subnormal;
			}
			peak = std::max(peak, std::fabs(x));
		}
	}
}

std::string OutputScan::describe() const
{
	std::string s;
	if (nan > 0)
	{
		s += std::to_string(nan) + " NaN ";
	}
	if (inf > 0)
	{
		s += std::to_string(inf) + " infinite ";
	}
	if (subnormal > 0)
	{
		s += std::to_string(subnormal) + " subnormal ";
	}
	return s.empty() ? "clean" : s + "samples";
}

std::unique_ptr<PluginInstance> make_instance(CheckContext &ctx, std::string &err, double rate, long block,
                                              bool resume)
{
	auto p = PluginInstance::create(ctx.lib, err, [&](HostContext &h) {
		h.sample_rate = rate;
		h.block_size = vst2::int32(block);
	});
	if (!p)
	{
		return nullptr;
	}
	p->open();
	p->set_sample_rate(rate);
	p->set_block_size(vst2::int32(block));
	if (resume)
	{
		p->resume();
	}
	return p;
}

std::unique_ptr<PluginInstance> make_instance_or_fail(CheckContext &ctx, CheckReport &r, double rate, long block,
                                                      bool resume)
{
	std::string err;
	auto p = make_instance(ctx, err, rate, block, resume);
	if (!p)
	{
		r.fail(err);
	}
	return p;
}

std::unique_ptr<PluginInstance> make_instance_with_params(CheckContext &ctx, CheckReport &r, double rate, long block)
{
	auto p = make_instance_or_fail(ctx, r, rate, block);
	if (p && p->effect()->numParams <= 0)
	{
		r.skip("no parameters");
		p.reset();
	}
	return p;
}

std::unique_ptr<PluginInstance> make_instance_with_programs(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (p && p->effect()->numPrograms <= 0)
	{
		r.skip("no programs");
		p.reset();
	}
	return p;
}

std::string Snapshot::diff(const Snapshot &o) const
{
	std::vector<std::string> d;
	if (program != o.program)
	{
		d.push_back("program " + std::to_string(o.program) + " became " + std::to_string(program));
	}
	for (std::size_t i = 0; i < std::min(params.size(), o.params.size()); ++i)
	{
		const bool same = params[i] == o.params[i] || (std::isnan(params[i]) && std::isnan(o.params[i]));
		if (!same)
		{
			d.push_back(basic::c_format("parameter %zu %.6g became %.6g", i, double(o.params[i]), double(params[i])));
		}
	}
	if (has_bank && o.has_bank && bank != o.bank)
	{
		d.push_back("bank chunk changed (" + std::to_string(o.bank.size()) + " -> " + std::to_string(bank.size()) +
		            " bytes)");
	}
	return first_items(d);
}

Snapshot take_snapshot(PluginInstance &p)
{
	Snapshot s;
	for (int i = 0; i < p.effect()->numParams; ++i)
	{
		s.params.push_back(p.get_parameter(i));
	}
	s.program = long(p.program());
	if (has_chunks(p))
	{
		s.bank = get_chunk(p, 0, s.has_bank);
	}
	return s;
}

std::vector<unsigned char> get_chunk(PluginInstance &p, int index, bool &answered)
{
	void *data = nullptr;
	const vst2::intptr size = p.dispatch(vst2::effGetChunk, index, 0, &data);
	answered = size > 0 && data != nullptr;
	if (!answered || size > (vst2::intptr(1) << 30))
	{
		answered = false;
		return {};
	}
	const auto *b = static_cast<const unsigned char *>(data);
	return std::vector<unsigned char>(b, b + size);
}

bool has_chunks(const PluginInstance &p)
{
	return (p.effect()->flags & vst2::effFlagsProgramChunks) != 0;
}

OutputScan process_noise(PluginInstance &p, Rng &rng, long frames, long block, ProcessForm form)
{
	vst2::AEffect *e = p.effect();
	ProcessBuffers buf(e->numInputs, e->numOutputs, block);
	OutputScan scan;
	long pos = 0;
	while (pos < frames)
	{
		const long n = std::min(block, frames - pos);
		for (int c = 0; c < e->numInputs; ++c)
		{
			for (long i = 0; i < n; ++i)
			{
				buf.input(c)[i] = rng.noise() * 0.5f;
			}
		}
		buf.clear_outputs(n);
		p.host().set_transport(pos, true, 0);
		p.process_audio(buf.inputs(), buf.outputs(), vst2::int32(n), form);
		for (int c = 0; c < e->numOutputs; ++c)
		{
			scan.scan(buf.output(c), n);
		}
		pos += n;
	}
	return scan;
}

std::string first_items(const std::vector<std::string> &items, std::size_t max)
{
	std::string s;
	for (std::size_t i = 0; i < items.size() && i < max; ++i)
	{
		s += (i > 0 ? "; " : "") + items[i];
	}
	if (items.size() > max)
	{
		s += " (+" + std::to_string(items.size() - max) + " more)";
	}
	return s;
}

} // namespace plughost

namespace plughost
{

void judge_text(const GuardedText &t, std::size_t old_size, const std::string &what,
                std::vector<std::string> &fails, std::vector<std::string> &warns)
{
	if (!t.written())
	{
		return; // not answered: nothing written, nothing to judge
	}
	if (!t.guard_ok)
	{
		fails.push_back(what + " wrote past a " + std::to_string(kTextBufferSize) + "-byte buffer");
		return;
	}
	if (!t.terminated)
	{
		fails.push_back(what + " is not terminated within " + std::to_string(kTextBufferSize) + " bytes");
		return;
	}
	const std::size_t need = t.text.size() + 1;
	if (t.extent > std::max(need, old_size))
	{
		fails.push_back(what + " " + quote_text(t.text) + " wrote " + std::to_string(t.extent) + " bytes (text needs " +
		                std::to_string(need) + ", old limit " + std::to_string(old_size) + ")");
	}
	else if (need > old_size)
	{
		warns.push_back(what + " " + quote_text(t.text) + " takes " + std::to_string(need) + " bytes (old limit " +
		                std::to_string(old_size) + ")");
	}
}

} // namespace plughost
