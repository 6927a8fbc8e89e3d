// Fuzzes SettingMgr loading on arbitrary file contents: the text is shaped
// as load_file delivers it (every line ends with a line feed) and handed to
// load_settings_from_text, so no file is written per run. Every result must
// be a documented status, and no exception may leave.
#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"
#include "basic/SettingClientInterface.h"
#include "plegg/SettingMgr.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

// Reads keys as the MIDI manager's bindings and devices do, including
// use_key calls that throw on a missing key or a key of the wrong kind.
class MidiLikeClient : public basic::SettingClientInterface
{
public:
	int save_settings(basic::ConfKeyMulti &root) override
	{
		root.set_key_str("midi/port_in/name", "x");
		return 0;
	}
	int load_settings(const basic::ConfKeyMulti &root) override
	{
		if (!root.is_key_existing("midi"))
		{
			return 0;
		}
		const auto &midi = dynamic_cast<const basic::ConfKeyMulti &>(root.use_key("midi"));
		if (midi.is_key_existing("control_map"))
		{
			const auto &map = dynamic_cast<const basic::ConfKeyMulti &>(midi.use_key("control_map"));
			for (long i = 0; i < map.get_nbr_keys(); ++i)
			{
				const basic::ConfKeyInterface &k = map.use_key(i);
				_sink += map.get_key_str(k.get_name());
				if (const auto *d = dynamic_cast<const basic::ConfKeyData *>(&k))
				{
					if (const auto *l = dynamic_cast<const basic::ConfKeyContentMulti *>(&d->use_content()))
					{
						_sink += static_cast<char>(l->get_nbr_contents());
					}
				}
			}
		}
		_sink += root.get_key_str("midi/port_in/name");
		_sink += root.get_key_str("midi\\port_out\\name");
		return root.is_key_unique("midi/port_in") ? 0 : -5;
	}

private:
	std::string _sink;
};

bool is_load_status(int status)
{
	return status == 0 || status == -5 || status == -1016 || status == -1024 || status == -3070 || status == -3071
		|| (status <= -2039 && status >= -2048);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	static plegg::SettingMgr mgr;
	static MidiLikeClient client;
	static const bool ready = (mgr.init("Brastoke", 1.31) == 0 && mgr.register_client(client) == 0);
	if (!ready)
	{
		std::abort();
	}
	std::string text(reinterpret_cast<const char *>(data), size);
	if (!text.empty() && text.back() != '\n')
	{
		text += '\n';
	}
	int status = 0;
	try
	{
		status = mgr.load_settings_from_text(text, "fuzz.cfg.txt");
	}
	catch (...)
	{
		std::fprintf(stderr, "an exception left load_settings\n");
		std::abort();
	}
	if (!is_load_status(status))
	{
		std::fprintf(stderr, "unexpected status %d\n", status);
		std::abort();
	}
	return 0;
}
