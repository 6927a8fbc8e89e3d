// Fuzzes the configuration text reader: any text gives a status of the
// reader's table and never reads outside the text; a tree the format can
// represent writes, reads back equal, and writes again to the same text.
#include "basic/ConfKeyCompare.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyInterface.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{

bool is_reader_status(int status)
{
	return status == 0 || (status <= -1015 && status >= -1020);
}

void fail(const char *what, const std::string &text)
{
	std::fprintf(stderr, "%s\n---\n%s\n---\n", what, text.c_str());
	std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const std::string text(reinterpret_cast<const char *>(data), size);
	basic::ConfKeyFactory &factory = basic::ConfKeyFactory::get_instance();
	int status = 1;
	std::unique_ptr<basic::ConfKeyInterface> key;
	try
	{
		key.reset(factory.create_key(text, status));
	}
	catch (const char *)
	{
		return 0; // a key name holding '/' or '\'
	}
	if (!is_reader_status(status))
	{
		fail("unexpected status", text);
	}
	if (!key || !basic::conf_key_representable(*key))
	{
		return 0;
	}
	std::string written;
	key->write_to_string(written);
	int status2 = 1;
	std::unique_ptr<basic::ConfKeyInterface> again;
	try
	{
		again.reset(factory.create_key(written, status2));
	}
	catch (const char *)
	{
		fail("written text throws when read", written);
	}
	if (status2 != 0 || !again || !basic::conf_key_equal(*key, *again))
	{
		fail("written text does not read back", written);
	}
	std::string rewritten;
	again->write_to_string(rewritten);
	if (rewritten != written)
	{
		fail("second write differs", rewritten);
	}
	return 0;
}
