// Two per-user MIDI preferences kept in the persistent key list:
// "NRPN Compatibility" under "Dravimor\<product>" (0 = the old erroneous
// byte order of NRPN and RPN numbers, 1 = standard MIDI) and "Autobind Mode"
// under "Dravimor", shared by the maker's products (0 = one binding then
// stop, 1 = stay armed). Values are stored as "0" and "1".
//
// A store that cannot be opened (no usable configuration folder) leaves the
// values in memory at their defaults; the plug-in runs all the same.
//
// Threads: the getters are lock-free and used on the audio thread; init and
// the setters run on other threads and are serialised among themselves.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

namespace plegg
{

class PersistentMidiSettings
{
public:
	enum NrpnCompatibility
	{
		NrpnCompatibility_OLD = 0,
		NrpnCompatibility_STANDARD = 1
	};
	enum AutobindMode
	{
		AutobindMode_SINGLE = 0,
		AutobindMode_MULTIPLE = 1
	};

	static const char MAKER_KEY[];
	static const char NRPN_COMPATIBILITY_KEY[];
	static const char AUTOBIND_MODE_KEY[];

	PersistentMidiSettings();
	PersistentMidiSettings(const PersistentMidiSettings &) = delete;
	PersistentMidiSettings &operator=(const PersistentMidiSettings &) = delete;

	// Reads both values; a missing or unrecognised value is replaced by the
	// current one in the store.
	void init(const char *product_key);
	bool init_check() const { return initialised.load(std::memory_order_acquire); }

	NrpnCompatibility get_nrpn_compatibility() const { return static_cast<NrpnCompatibility>(nrpn_compatibility.load(std::memory_order_relaxed)); }
	AutobindMode get_autobind_mode() const { return static_cast<AutobindMode>(autobind_mode.load(std::memory_order_relaxed)); }
	// The value in memory changes only when the store took it: 0, or -1.
	int set_nrpn_compatibility(NrpnCompatibility c);
	int set_autobind_mode(AutobindMode m);

	// The compatibility that objects constructed afterwards start from (1
	// until changed; the plug-in's entry point sets 0).
	static void set_default_compatibility(NrpnCompatibility c);
	static NrpnCompatibility get_default_compatibility();

	// The store's lock is waited for this long at most, then the write is
	// given up: a host scanning plug-ins gives up on a slow entry point.
	static constexpr int LOCK_WAIT_MS = 100;

private:
	void init_nrpn_compatibility(const char *product_key);
	void init_autobind_mode();
	int do_set_nrpn_compatibility(NrpnCompatibility c);
	int do_set_autobind_mode(AutobindMode m);

	static bool read_value(const std::string &path, const char *key, int &value);
	static bool write_value(const std::string &path, const char *key, int value);

	std::atomic<int> nrpn_compatibility;
	std::atomic<int> autobind_mode{AutobindMode_MULTIPLE};
	std::atomic<bool> initialised{false};
	std::mutex mutex; // init and setters, never on the audio thread
	std::string key_path;

	static std::atomic<int> _default_init_compatibility;
};

} // namespace plegg
