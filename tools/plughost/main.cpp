// plughost: a command-line host for Linux VST 2 plug-ins.
#include "tools/plughost/Commands.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace
{

void usage(std::FILE *f)
{
	std::fputs("usage: plughost COMMAND PLUGIN.so [options]\n"
	           "commands:\n"
	           "  info PLUGIN.so                 names, counts, pins, programs, parameters, can-do answers\n"
	           "  render PLUGIN.so [IN] OUT      process an audio file (or the built-in demo) into OUT\n"
	           "  validate PLUGIN.so             run host-compatibility checks\n"
	           "  bench PLUGIN.so [--vs OTHER]   measure the processing cost\n"
	           "plughost COMMAND --help lists the options of a command.\n",
	           f);
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
	{
		usage(argc < 2 ? stderr : stdout);
		return argc < 2 ? 2 : 0;
	}
	const std::vector<std::string> args(argv + 2, argv + argc);
	const std::string cmd = argv[1];
	try
	{
		if (cmd == "info")
		{
			return plughost::cmd_info(args);
		}
		if (cmd == "render")
		{
			return plughost::cmd_render(args);
		}
		if (cmd == "validate")
		{
			return plughost::cmd_validate(args);
		}
		if (cmd == "bench")
		{
			return plughost::cmd_bench(args);
		}
	}
	catch (const std::exception &ex)
	{
		std::fprintf(stderr, "plughost: %s\n", ex.what());
		return 1;
	}
	std::fprintf(stderr, "plughost: unknown command \"%s\"\n", cmd.c_str());
	usage(stderr);
	return 2;
}
