// conftool: checks a setting file by hand. Reads the file as the settings
// manager does, prints the reader's status and writes the tree it read back
// as configuration text (to standard output or to a file); the status goes
// to standard error.
//
//   conftool FILE [OUT]
//
// Exit status: 0 when the whole file read cleanly, 1 when the reader
// reported an error, 2 when a file cannot be read or written.
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyInterface.h"
#include "basic/SettingMgrInterface.h"

#include <cstdio>
#include <memory>
#include <string>

namespace
{

const char *describe(int status)
{
	switch (status)
	{
	case 0: return "ok";
	case basic::ConfKeyFactory::ERR_LEFT_OVER: return "text left after the top key, or no key at the start";
	case basic::ConfKeyFactory::ERR_TEXT_MISSING: return "a text value is missing at the end";
	case basic::ConfKeyFactory::ERR_LIST: return "a list is truncated or holds something that is not a value";
	case basic::ConfKeyFactory::ERR_DATA: return "a data key has no readable value";
	case basic::ConfKeyFactory::ERR_SECTION: return "a section is truncated or holds something that is not a key";
	case basic::ConfKeyFactory::ERR_LEXICAL: return "quote left open at the end of a line, or braces not balanced";
	default: return "unknown status";
	}
}

// The settings manager's file functions, without clients.
class FileReader : public basic::SettingMgrInterface
{
};

} // namespace

int main(int argc, char **argv)
{
	if (argc < 2 || argc > 3)
	{
		std::fprintf(stderr, "usage: %s FILE [OUT]\n", argv[0]);
		return 2;
	}
	FileReader files;
	std::string text;
	const int load_status = files.load_file(text, argv[1]);
	if (load_status != 0)
	{
		std::fprintf(stderr, "%s: cannot read the file (code %d)\n", argv[1], load_status);
		return 2;
	}
	int status = 0;
	std::string out;
	try
	{
		std::unique_ptr<basic::ConfKeyInterface> key(basic::ConfKeyFactory::get_instance().create_key(text, status));
		std::fprintf(stderr, "status: %d (%s)\n", status, describe(status));
		if (!key)
		{
			std::fprintf(stderr, "no key read\n");
			return (status != 0 || !text.empty()) ? 1 : 0;
		}
		key->write_to_string(out);
		out += '\n';
	}
	catch (const char *error)
	{
		std::fprintf(stderr, "status: exception: %s\n", error);
		return 1;
	}
	if (argc == 3)
	{
		const int save_status = files.save_file(out, argv[2]);
		if (save_status != 0)
		{
			std::fprintf(stderr, "%s: cannot write the file (code %d)\n", argv[2], save_status);
			return 2;
		}
	}
	else
	{
		std::fwrite(out.data(), 1, out.size(), stdout);
	}
	return (status != 0) ? 1 : 0;
}
