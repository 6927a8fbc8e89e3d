#include "plegg/PersistentMidiSettings.h"

#include <strings.h>

#include "sys/PersistentKeyList.h"

namespace plegg
{

const char PersistentMidiSettings::MAKER_KEY[] = "Dravimor";
const char PersistentMidiSettings::NRPN_COMPATIBILITY_KEY[] = "NRPN Compatibility";
const char PersistentMidiSettings::AUTOBIND_MODE_KEY[] = "Autobind Mode";

std::atomic<int> PersistentMidiSettings::_default_init_compatibility{NrpnCompatibility_STANDARD};

PersistentMidiSettings::PersistentMidiSettings()
: nrpn_compatibility(_default_init_compatibility.load(std::memory_order_relaxed))
{
}

void PersistentMidiSettings::set_default_compatibility(NrpnCompatibility c)
{
	_default_init_compatibility.store(c, std::memory_order_relaxed);
}

PersistentMidiSettings::NrpnCompatibility PersistentMidiSettings::get_default_compatibility()
{
	return static_cast<NrpnCompatibility>(_default_init_compatibility.load(std::memory_order_relaxed));
}

void PersistentMidiSettings::init(const char *product_key)
{
	std::lock_guard<std::mutex> lock(mutex);
	init_nrpn_compatibility(product_key);
	init_autobind_mode();
	initialised.store(true, std::memory_order_release);
}

void PersistentMidiSettings::init_nrpn_compatibility(const char *product_key)
{
	key_path = std::string(MAKER_KEY) + "\\" + (product_key != nullptr ? product_key : "");
	int v = 0;
	if (read_value(key_path, NRPN_COMPATIBILITY_KEY, v))
		nrpn_compatibility.store(v, std::memory_order_relaxed);
	else
		do_set_nrpn_compatibility(get_nrpn_compatibility());
}

void PersistentMidiSettings::init_autobind_mode()
{
	int v = 0;
	if (read_value(MAKER_KEY, AUTOBIND_MODE_KEY, v))
		autobind_mode.store(v, std::memory_order_relaxed);
	else
		do_set_autobind_mode(get_autobind_mode());
}

int PersistentMidiSettings::set_nrpn_compatibility(NrpnCompatibility c)
{
	std::lock_guard<std::mutex> lock(mutex);
	return do_set_nrpn_compatibility(c);
}

int PersistentMidiSettings::set_autobind_mode(AutobindMode m)
{
	std::lock_guard<std::mutex> lock(mutex);
	return do_set_autobind_mode(m);
}

int PersistentMidiSettings::do_set_nrpn_compatibility(NrpnCompatibility c)
{
	// Before init the product's list is not known: nothing can be stored.
	if (key_path.empty() || !write_value(key_path, NRPN_COMPATIBILITY_KEY, c))
		return -1;
	nrpn_compatibility.store(c, std::memory_order_relaxed);
	return 0;
}

int PersistentMidiSettings::do_set_autobind_mode(AutobindMode m)
{
	if (!write_value(MAKER_KEY, AUTOBIND_MODE_KEY, m))
		return -1;
	autobind_mode.store(m, std::memory_order_relaxed);
	return 0;
}

bool PersistentMidiSettings::read_value(const std::string &path, const char *key, int &value)
{
	try
	{
		sys::PersistentKeyList list(path, true);
		std::string text;
		if (list.get_key(key, text) != 0)
			return false;
		if (strcasecmp(text.c_str(), "0") == 0)
			value = 0;
		else if (strcasecmp(text.c_str(), "1") == 0)
			value = 1;
		else
			return false;
		return true;
	}
	catch (...)
	{
		// No usable store (no configuration folder, or a file in its place).
		return false;
	}
}

bool PersistentMidiSettings::write_value(const std::string &path, const char *key, int value)
{
	try
	{
		sys::PersistentKeyList list(path, true);
		return list.set_key(key, value != 0 ? "1" : "0", LOCK_WAIT_MS) == 0;
	}
	catch (...)
	{
		return false;
	}
}

} // namespace plegg
