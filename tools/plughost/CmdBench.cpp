// plughost bench PLUGIN.so [--vs OTHER.so]: processing cost in nanoseconds
// per frame and times real time; with --vs both in turns and the ratio of
// their medians.
#include "basic/CLocale.h"
#include "tools/plughost/Args.h"
#include "tools/plughost/Bench.h"
#include "tools/plughost/Commands.h"

#include <cstdio>

namespace plughost
{

namespace
{

const char kUsage[] =
	"usage: plughost bench PLUGIN.so [--vs OTHER.so] [options]\n"
	"  --rate HZ             sample rate (default 44100)\n"
	"  --block N             frames per process call (default 512)\n"
	"  --seconds S           noise processed per round (default 5)\n"
	"  --rounds N            rounds; the median is reported (default 7)\n"
	"  --seed N              seed of the noise (default 1)\n"
	"  --program, --param SEL=TEXT, --norm SEL=VALUE      settings of PLUGIN.so, as in render\n"
	"  --vs-program, --vs-param SEL=TEXT, --vs-norm SEL=VALUE   settings of OTHER.so\n";

int fail(const std::string &msg)
{
	std::fprintf(stderr, "plughost bench: %s\n", msg.c_str());
	return 1;
}

// Loads and prepares one subject with its settings.
bool load_subject(const std::string &path, const BenchSetup &setup, const std::string &program,
                  const std::vector<std::string> &texts, const std::vector<std::string> &norms, BenchSubject &out,
                  std::string &err)
{
	RenderConfig cfg;
	cfg.sample_rate = setup.sample_rate;
	cfg.blocks.set_fixed(setup.block);
	if (!parse_param_settings(texts, norms, cfg.params, err))
	{
		return false;
	}
	auto lib = PluginLibrary::open(path, err);
	if (!lib)
	{
		return false;
	}
	auto inst = PluginInstance::create(lib, err, [&](HostContext &h) { cfg.configure_host(h); });
	if (!inst)
	{
		return false;
	}
	if (!resolve_params(*inst, cfg.params, err))
	{
		return false;
	}
	if (!program.empty())
	{
		inst->open();
		cfg.program = find_program(*inst, program);
		if (cfg.program < 0)
		{
			err = "no program \"" + program + "\" in " + path;
			return false;
		}
	}
	if (!inst->can_replacing())
	{
		err = path + " has no processReplacing";
		return false;
	}
	if (!prepare_instance(*inst, cfg, err))
	{
		return false;
	}
	const auto slash = path.rfind('/');
	out.label = slash == std::string::npos ? path : path.substr(slash + 1);
	out.instance = std::move(inst);
	return true;
}

} // namespace

int cmd_bench(const std::vector<std::string> &argv)
{
	Args args;
	std::string err;
	const std::vector<OptionDef> specs = {
		{"vs", true}, {"rate", true}, {"block", true}, {"seconds", true}, {"rounds", true}, {"seed", true},
		{"program", true}, {"param", true}, {"norm", true}, {"vs-program", true}, {"vs-param", true},
		{"vs-norm", true}, {"help", false},
	};
	if (!args.parse(argv, specs, err))
	{
		std::fprintf(stderr, "plughost bench: %s\n%s", err.c_str(), kUsage);
		return 2;
	}
	if (args.has("help"))
	{
		std::fputs(kUsage, stdout);
		return 0;
	}
	if (args.positional().size() != 1)
	{
		std::fprintf(stderr, "plughost bench: one plug-in file expected\n%s", kUsage);
		return 2;
	}
	BenchSetup setup;
	long block = setup.block;
	long rounds = setup.rounds;
	long seed = 1;
	if (!args.get_double("rate", setup.sample_rate, 1000, 768000, err) || !args.get_long("block", block, 1, 1 << 16, err) ||
	    !args.get_double("seconds", setup.seconds, 0.01, 3600, err) || !args.get_long("rounds", rounds, 1, 1000, err) ||
	    !args.get_long("seed", seed, 0, 0x7FFFFFFFL, err))
	{
		std::fprintf(stderr, "plughost bench: %s\n", err.c_str());
		return 2;
	}
	setup.block = block;
	setup.rounds = int(rounds);
	setup.seed = std::uint64_t(seed);

	std::vector<BenchSubject> subjects(args.has("vs") ? 2 : 1);
	if (!load_subject(args.positional()[0], setup, args.get("program"), args.all("param"), args.all("norm"),
	                  subjects[0], err))
	{
		return fail(err);
	}
	if (args.has("vs") && !load_subject(args.get("vs"), setup, args.get("vs-program"), args.all("vs-param"),
	                                    args.all("vs-norm"), subjects[1], err))
	{
		return fail(err);
	}
	std::fputs(basic::c_format("noise: %g s at %g Hz per round, blocks of %ld, %d rounds, thread CPU time\n",
	                           setup.seconds, setup.sample_rate, setup.block, setup.rounds)
	               .c_str(),
	           stdout);
	std::fflush(stdout);
	run_bench(setup, subjects);
	for (std::size_t k = 0; k < subjects.size(); ++k)
	{
		const BenchSubject &s = subjects[k];
		const double med = median(s.ns_per_frame);
		const double lo = *std::min_element(s.ns_per_frame.begin(), s.ns_per_frame.end());
		const double hi = *std::max_element(s.ns_per_frame.begin(), s.ns_per_frame.end());
		const double realtime = med > 0 ? 1e9 / (med * setup.sample_rate) : 0.0;
		std::fputs(basic::c_format("%c %-40s %9.2f ns/frame  %8.0fx real time  (rounds %.2f to %.2f)\n",
		                           k == 0 ? 'A' : 'B', s.label.c_str(), med, realtime, lo, hi)
		               .c_str(),
		           stdout);
	}
	if (subjects.size() == 2)
	{
		const double a = median(subjects[0].ns_per_frame);
		const double b = median(subjects[1].ns_per_frame);
		std::fputs(basic::c_format("ratio A/B of medians: %.3f\n", b > 0 ? a / b : 0.0).c_str(), stdout);
	}
	for (auto &s : subjects)
	{
		s.instance->dispatch(vst2::effStopProcess);
		s.instance->close();
	}
	return 0;
}

} // namespace plughost
