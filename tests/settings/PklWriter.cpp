// Helper process of the persistent key list tests: writes count keys
// "<prefix><i>" into the list named on the command line.
#include "sys/PersistentKeyList.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
	if (argc != 4)
	{
		std::fprintf(stderr, "usage: %s list_name prefix count\n", argv[0]);
		return 2;
	}
	try
	{
		sys::PersistentKeyList list(argv[1], true);
		const int count = std::atoi(argv[3]);
		for (int i = 0; i < count; ++i)
		{
			const std::string key = std::string(argv[2]) + std::to_string(i);
			if (list.set_key(key, "value of " + key) != 0)
			{
				return 1;
			}
		}
	}
	catch (const char *text)
	{
		std::fprintf(stderr, "%s\n", text);
		return 1;
	}
	return 0;
}
