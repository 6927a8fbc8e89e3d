// State checks: bank and program chunks round-trip, restore every value, and
// chunks of every size or of random bytes are refused without a change or
// accepted without a crash.
#include "tools/plughost/validate/CheckSupport.h"

#include "basic/CLocale.h"

namespace plughost
{

namespace
{

const char *kind_name(int index)
{
	return index == 0 ? "bank" : "program";
}

vst2::intptr set_chunk(PluginInstance &p, int index, std::vector<unsigned char> data, vst2::intptr size)
{
	// The plug-in gets its own copy: it may keep the pointer until it returns.
	return p.dispatch(vst2::effSetChunk, index, size, data.empty() ? nullptr : data.data());
}

// Without the ProgramChunks flag hosts save parameter values, but a plug-in
// that still answers effGetChunk gets its chunks checked all the same.
bool require_chunks(PluginInstance &p, CheckReport &r)
{
	if (has_chunks(p))
	{
		return true;
	}
	bool answered = false;
	get_chunk(p, 0, answered);
	if (!answered)
	{
		r.skip("no ProgramChunks flag and no chunk answered: hosts save parameter values");
		return false;
	}
	return true;
}

void check_round_trip(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p || !require_chunks(*p, r))
	{
		return;
	}
	for (int index : {0, 1})
	{
		bool ok1 = false;
		bool ok2 = false;
		const auto a = get_chunk(*p, index, ok1);
		const auto b = get_chunk(*p, index, ok2);
		if (!ok1)
		{
			r.fail(std::string("no ") + kind_name(index) + " chunk");
			continue;
		}
		if (a != b)
		{
			r.fail(std::string("two successive ") + kind_name(index) + " chunks differ");
		}
		if (set_chunk(*p, index, a, vst2::intptr(a.size())) == 0)
		{
			r.warn(std::string("the plug-in refused its own ") + kind_name(index) + " chunk");
		}
		bool ok3 = false;
		const auto c = get_chunk(*p, index, ok3);
		if (c != a)
		{
			r.fail(std::string(kind_name(index)) + " chunk not byte-identical after setting it back (" +
			       std::to_string(a.size()) + " -> " + std::to_string(c.size()) + " bytes)");
		}
	}
	r.note("bank and program chunks round-trip byte for byte");
}

void check_restore(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p || !require_chunks(*p, r))
	{
		return;
	}
	const int np = p->effect()->numParams;
	Rng rng(ctx.seed);
	const long rounds = ctx.scaled(5);
	for (long k = 0; k < rounds; ++k)
	{
		for (int i = 0; i < np; ++i)
		{
			p->set_parameter(i, float(rng.uniform()));
		}
		const Snapshot saved = take_snapshot(*p);
		bool ok = false;
		const auto bank = get_chunk(*p, 0, ok);
		if (!ok)
		{
			r.fail("no bank chunk");
			return;
		}
		for (int i = 0; i < np; ++i)
		{
			p->set_parameter(i, float(rng.uniform()));
		}
		set_chunk(*p, 0, bank, vst2::intptr(bank.size()));
		p->set_program(saved.program);
		Snapshot now = take_snapshot(*p);
		now.has_bank = false; // the values are what count here
		const std::string d = now.diff(saved);
		if (!d.empty())
		{
			r.fail("round " + std::to_string(k) + ": the saved bank did not restore: " + d);
			return;
		}
	}
	r.note(std::to_string(rounds) + " random states saved and restored through the bank chunk");
}

// Sizes to try: all from 0 to 2 x right at high strictness or for small
// chunks, else the boundaries and a random sample.
std::vector<long> sizes_to_try(CheckContext &ctx, Rng &rng, long right)
{
	std::vector<long> sizes;
	if (ctx.strictness >= 8 || right <= 512)
	{
		for (long s = 0; s <= 2 * right; ++s)
		{
			sizes.push_back(s);
		}
		return sizes;
	}
	for (long s : {0L, 1L, 2L, 3L, 4L, 7L, 8L, right / 2, right - 1, right, right + 1, 2 * right - 1, 2 * right})
	{
		sizes.push_back(s);
	}
	for (long k = 0; k < ctx.scaled(200); ++k)
	{
		sizes.push_back(rng.range(0, 2 * right));
	}
	return sizes;
}

void check_sizes(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p || !require_chunks(*p, r))
	{
		return;
	}
	Rng rng(ctx.seed);
	long tried = 0;
	long accepted = 0;
	for (int index : {0, 1})
	{
		bool ok = false;
		const auto good = get_chunk(*p, index, ok);
		if (!ok)
		{
			r.fail(std::string("no ") + kind_name(index) + " chunk");
			return;
		}
		const long right = long(good.size());
		for (long size : sizes_to_try(ctx, rng, right))
		{
			std::vector<unsigned char> data(static_cast<std::size_t>(size));
			for (long i = 0; i < size; ++i)
			{
				data[std::size_t(i)] = i < right ? good[std::size_t(i)] : static_cast<unsigned char>(rng.next());
			}
			const Snapshot before = take_snapshot(*p);
			++tried;
			if (set_chunk(*p, index, data, size) == 0)
			{
				const std::string d = take_snapshot(*p).diff(before);
				if (!d.empty())
				{
					r.fail(std::string("a refused ") + kind_name(index) + " chunk of " + std::to_string(size) +
					       " bytes changed the state: " + d);
					return;
				}
			}
			else
			{
				++accepted;
				set_chunk(*p, index, good, right);
			}
		}
		// Sizes above 2^32 travel pointer-sized: narrowing them would read
		// the right size from a buffer of that size.
		const vst2::intptr huge = (vst2::intptr(1) << 32) + right;
		const Snapshot before = take_snapshot(*p);
		if (set_chunk(*p, index, good, huge) != 0)
		{
			r.fail(std::string("accepted a ") + kind_name(index) + " chunk size of 2^32 + " + std::to_string(right) +
			       " (the size was narrowed to 32 bits)");
			set_chunk(*p, index, good, right);
		}
		else if (const std::string d = take_snapshot(*p).diff(before); !d.empty())
		{
			r.fail(std::string("a refused ") + kind_name(index) + " chunk size above 2^32 changed the state: " + d);
		}
	}
	r.note(std::to_string(tried) + " chunk sizes, " + std::to_string(accepted) +
	       " accepted, every refused one left the state alone");
}

void check_random(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p || !require_chunks(*p, r))
	{
		return;
	}
	Rng rng(ctx.seed);
	long accepted = 0;
	long tried = 0;
	for (int index : {0, 1})
	{
		bool ok = false;
		const auto good = get_chunk(*p, index, ok);
		if (!ok)
		{
			continue;
		}
		for (long k = 0; k < ctx.scaled(50); ++k)
		{
			std::vector<unsigned char> data(good.size());
			// Random bytes, or the right image with a few bytes flipped.
			const bool flip = k % 2 == 1;
			for (std::size_t i = 0; i < data.size(); ++i)
			{
				data[i] = flip ? good[i] : static_cast<unsigned char>(rng.next());
			}
			if (flip && !data.empty())
			{
				for (int f = 0; f < 4; ++f)
				{
					data[std::size_t(rng.range(0, long(data.size()) - 1))] ^= static_cast<unsigned char>(1 + rng.range(0, 254));
				}
			}
			const Snapshot before = take_snapshot(*p);
			++tried;
			if (set_chunk(*p, index, data, vst2::intptr(data.size())) == 0)
			{
				const std::string d = take_snapshot(*p).diff(before);
				if (!d.empty())
				{
					r.fail(std::string("a refused random ") + kind_name(index) + " chunk changed the state: " + d);
					return;
				}
			}
			else
			{
				++accepted;
				for (int i = 0; i < p->effect()->numParams; ++i)
				{
					const float v = p->get_parameter(i);
					if (!(v >= 0.0f && v <= 1.0f))
					{
						r.fail(std::string("an accepted random ") + kind_name(index) + " chunk left parameter " +
						       std::to_string(i) + basic::c_format(" at %g", double(v)));
						return;
					}
				}
				Rng prng(ctx.seed + std::uint64_t(k));
				const OutputScan s = process_noise(*p, prng, 512, 256);
				if (!s.clean())
				{
					r.fail(std::string("after an accepted random ") + kind_name(index) + " chunk: " + s.describe());
					return;
				}
				set_chunk(*p, index, good, vst2::intptr(good.size()));
			}
		}
	}
	r.note(std::to_string(tried) + " random and corrupted chunks, " + std::to_string(accepted) + " accepted");
}

} // namespace

void add_state_checks(std::vector<Check> &c)
{
	c.push_back({"state.round-trip", "bank and program chunks round-trip byte-identical", check_round_trip});
	c.push_back({"state.restore", "a saved bank restores every value", check_restore});
	c.push_back({"state.chunk-sizes", "chunks of every size from 0 to twice the right one", check_sizes});
	c.push_back({"state.chunk-random", "chunks of random bytes", check_random});
}

} // namespace plughost
