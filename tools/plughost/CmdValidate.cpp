// plughost validate PLUGIN.so: host-compatibility checks, one line each.
#include "tools/plughost/Args.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/validate/Validator.h"

#include <cstdio>
#include <unistd.h>

namespace plughost
{

namespace
{

const char kUsage[] =
	"usage: plughost validate PLUGIN.so [options]\n"
	"  --seed N            seed of the random values (default 1)\n"
	"  --strictness 1..10  higher runs longer and looks closer (default 5)\n"
	"  --only NAMES        run only these checks (comma-separated names or groups)\n"
	"  --skip NAMES        leave these out\n"
	"  --list              list the checks\n"
	"  --verbose           every message on a line of its own\n"
	"  --no-fork           run the checks in this process (a crash ends the run)\n"
	"  --timeout SECONDS   time allowed per check (default 60 + 30 x strictness)\n";

std::vector<std::string> split_commas(const std::vector<std::string> &values)
{
	std::vector<std::string> out;
	for (const auto &v : values)
	{
		std::size_t start = 0;
		while (start <= v.size())
		{
			const auto comma = v.find(',', start);
			const std::string item = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
			if (!item.empty())
			{
				out.push_back(item);
			}
			if (comma == std::string::npos)
			{
				break;
			}
			start = comma + 1;
		}
	}
	return out;
}

} // namespace

int cmd_validate(const std::vector<std::string> &argv)
{
	Args args;
	std::string err;
	const std::vector<OptionDef> specs = {
		{"seed", true}, {"strictness", true}, {"only", true}, {"skip", true}, {"list", false},
		{"verbose", false}, {"no-fork", false}, {"timeout", true}, {"help", false},
	};
	if (!args.parse(argv, specs, err))
	{
		std::fprintf(stderr, "plughost validate: %s\n%s", err.c_str(), kUsage);
		return 2;
	}
	if (args.has("help"))
	{
		std::fputs(kUsage, stdout);
		return 0;
	}
	if (args.has("list"))
	{
		for (const auto &c : all_checks())
		{
			std::printf("%-26s %s\n", c.name, c.what);
		}
		return 0;
	}
	if (args.positional().size() != 1)
	{
		std::fprintf(stderr, "plughost validate: one plug-in file expected\n%s", kUsage);
		return 2;
	}
	ValidateOptions opt;
	opt.plugin_path = args.positional()[0];
	long seed = 1;
	long strictness = 5;
	if (!args.get_long("seed", seed, 0, 0x7FFFFFFFL, err) || !args.get_long("strictness", strictness, 1, 10, err) ||
	    !args.get_double("timeout", opt.timeout_s, 1, 86400, err))
	{
		std::fprintf(stderr, "plughost validate: %s\n", err.c_str());
		return 2;
	}
	opt.seed = std::uint64_t(seed);
	opt.strictness = int(strictness);
	opt.only = split_commas(args.all("only"));
	opt.skip = split_commas(args.all("skip"));
	opt.verbose = args.has("verbose");
	opt.fork = !args.has("no-fork");
	if (select_checks(opt, err).empty())
	{
		std::fprintf(stderr, "plughost validate: %s\n", err.empty() ? "no check selected" : err.c_str());
		return 2;
	}
	// The plug-in is loaded in the checks' processes only: its constructors
	// may start threads, and this process forks.
	if (access(opt.plugin_path.c_str(), R_OK) != 0)
	{
		std::fprintf(stderr, "plughost validate: cannot read %s\n", opt.plugin_path.c_str());
		return 1;
	}
	std::printf("validating %s (seed %ld, strictness %ld)\n", opt.plugin_path.c_str(), seed, strictness);
	const int failed = run_validation(opt, stdout);
	return failed > 0 ? 1 : 0;
}

} // namespace plughost
