// Chooses the MIDI input device and output device among those offered, hands
// the chosen ports to the MIDI manager and keeps the choice in the setting
// file ("port_in" and "port_out" inside "midi", each with a "name").
//
// Threads: selection, scanning and settings run on non-audio threads (the
// host's at start-up and setting loads, the editor's from the setup menu)
// and are serialised by a mutex; the audio thread meets the ports only
// through the manager's atomic pointers.
#pragma once

#include <deque>
#include <mutex>
#include <string>

#include "basic/SettingClientInterface.h"

namespace plegg
{

class MidiInInterface;
class MidiMgr;
class MidiOutInterface;

class MidiDevSelectorInterface : public basic::SettingClientInterface
{
public:
	struct Properties
	{
		std::string name;
		bool flag = false;
	};

	static const char KEY_PORT_IN[];
	static const char KEY_PORT_OUT[];
	static const char KEY_NAME[];
	static const char NAME_NONE[];

	MidiDevSelectorInterface() = default;
	MidiDevSelectorInterface(const MidiDevSelectorInterface &) = delete;
	MidiDevSelectorInterface &operator=(const MidiDevSelectorInterface &) = delete;
	~MidiDevSelectorInterface() override = default;

	// Called with the "midi" section.
	int save_settings(basic::ConfKeyMulti &midi) override;
	int load_settings(const basic::ConfKeyMulti &midi) override;
	virtual int init() = 0;
	virtual int configure_dev_in() = 0;
	virtual int configure_dev_out() = 0;

	void connect_midi_mgr(MidiMgr &mgr) { midi_mgr = &mgr; }
	MidiMgr *use_midi_mgr() const { return midi_mgr; }
	const std::deque<Properties> &use_prop_list_in() const { return prop_list_in; }
	const std::deque<Properties> &use_prop_list_out() const { return prop_list_out; }

	int scan_devices();
	bool are_devices_scanned() const;

	int get_nbr_dev_in() const;
	int get_nbr_dev_out() const;
	// Empty properties for an id out of range.
	Properties get_dev_in_prop(int id) const;
	Properties get_dev_out_prop(int id) const;
	int get_dev_in_cur_id() const;
	int get_dev_out_cur_id() const;

	// -1 selects nothing. 0, or the code of the port or component that failed.
	int select_dev_in(int id);
	int select_dev_out(int id);
	// By name, without regard to case; a name nobody has ("none") selects
	// nothing.
	int select_dev_in(const std::string &name);
	int select_dev_out(const std::string &name);
	// The first input and the first output, or none.
	int select_default_dev(bool on);

protected:
	virtual int scan_dev_in() = 0;
	virtual int scan_dev_out() = 0;
	virtual int do_select_dev_in(int id, MidiInInterface *&port) = 0;
	virtual int do_select_dev_out(int id, MidiOutInterface *&port) = 0;

	// For the components while scanning (the selector's mutex is held).
	std::deque<Properties> &use_prop_list_in_locked() { return prop_list_in; }
	std::deque<Properties> &use_prop_list_out_locked() { return prop_list_out; }

	mutable std::recursive_mutex mutex;

private:
	int select_dev_in_locked(int id);
	int select_dev_out_locked(int id);
	int select_devices_from_key(const basic::ConfKeyMulti &midi);
	static int find_by_name(const std::deque<Properties> &list, const std::string &name);

	MidiMgr *midi_mgr = nullptr;
	std::deque<Properties> prop_list_in;
	std::deque<Properties> prop_list_out;
	int cur_id_in = -1;
	int cur_id_out = -1;
	bool devices_scanned = false;
};

} // namespace plegg
