// Program checks: names, random program changes, renaming, and the current
// program restored.
#include "tools/plughost/validate/CheckSupport.h"

namespace plughost
{

namespace
{

void check_names(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_programs(ctx, r);
	if (!p)
	{
		return;
	}
	const int n = p->effect()->numPrograms;
	const long original = long(p->program());
	int mismatches = 0;
	std::string example;
	for (int i = 0; i < n; ++i)
	{
		const GuardedText indexed = p->text(vst2::effGetProgramNameIndexed, i);
		p->set_program(i);
		if (p->program() != i)
		{
			r.fail("effSetProgram " + std::to_string(i) + " left the program at " + std::to_string(long(p->program())));
			continue;
		}
		const GuardedText current = p->text(vst2::effGetProgramName);
		if (indexed.written() && current.text != indexed.text)
		{
			++mismatches;
			example = "program " + std::to_string(i) + ": indexed " + quote_text(indexed.text) + ", current " +
			          quote_text(current.text);
		}
	}
	if (mismatches > 0)
	{
		r.warn(std::to_string(mismatches) + " indexed names differ from the current name, e.g. " + example);
	}
	p->set_program(original);
	if (p->program() != original)
	{
		r.fail("could not return to program " + std::to_string(original));
	}
	r.note(std::to_string(n) + " programs, each selected and named");
}

void check_changes(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_programs(ctx, r);
	if (!p)
	{
		return;
	}
	const int n = p->effect()->numPrograms;
	Rng rng(ctx.seed);
	const long original = long(p->program());
	const long rounds = ctx.scaled(100);
	for (long k = 0; k < rounds; ++k)
	{
		const long want = rng.range(0, n - 1);
		p->set_program(want);
		if (p->program() != want)
		{
			r.fail("effSetProgram " + std::to_string(want) + " left the program at " + std::to_string(long(p->program())));
			return;
		}
		if (k % 8 == 0)
		{
			const OutputScan s = process_noise(*p, rng, 512, 128);
			if (!s.clean())
			{
				r.fail("after program " + std::to_string(want) + ": " + s.describe());
				return;
			}
		}
	}
	// Out-of-range indexes, as pointer-sized values, change nothing.
	p->set_program(original);
	const vst2::intptr bad[] = {n, n + 1000, -1, vst2::intptr(1) << 32, (vst2::intptr(1) << 32) + original + 1};
	for (vst2::intptr b : bad)
	{
		p->dispatch(vst2::effSetProgram, 0, b);
		if (p->program() != original)
		{
			r.fail("effSetProgram with " + std::to_string(long(b)) + " changed the program to " +
			       std::to_string(long(p->program())));
			p->set_program(original);
		}
	}
	r.note(std::to_string(rounds) + " random changes; out-of-range indexes refused");
}

void check_rename(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_programs(ctx, r);
	if (!p)
	{
		return;
	}
	const int n = p->effect()->numPrograms;
	Rng rng(ctx.seed);
	const long prog = rng.range(0, n - 1);
	p->set_program(prog);
	const std::string before = p->text(vst2::effGetProgramName).text;
	char name[24] = "plughost test";
	p->dispatch(vst2::effSetProgramName, 0, 0, name);
	const std::string after = p->text(vst2::effGetProgramName).text;
	if (after != name)
	{
		r.warn("effSetProgramName was not kept (read back " + quote_text(after) + ")");
	}
	else
	{
		const std::string indexed = p->text(vst2::effGetProgramNameIndexed, vst2::int32(prog)).text;
		if (indexed != name)
		{
			r.warn("the renamed program's indexed name is " + quote_text(indexed));
		}
	}
	// An over-long name is cut or refused, never written past its limit.
	std::string longname(200, 'L');
	p->dispatch(vst2::effSetProgramName, 0, 0, longname.data());
	std::vector<std::string> fails;
	std::vector<std::string> warns;
	judge_text(p->text(vst2::effGetProgramName), 24, "program name after a 200-character rename", fails, warns);
	for (const auto &f : fails)
	{
		r.fail(f);
	}
	std::string restore = before;
	p->dispatch(vst2::effSetProgramName, 0, 0, restore.data());
	r.note("program " + std::to_string(prog) + " renamed and read back");
}

} // namespace

void add_program_checks(std::vector<Check> &c)
{
	c.push_back({"programs.names", "every program selected and named", check_names});
	c.push_back({"programs.changes", "random program changes; bad indexes refused", check_changes});
	c.push_back({"programs.rename", "program names set and read back", check_rename});
}

} // namespace plughost
