#include "plegg/MidiDevSelectorInterface.h"

#include <strings.h>

#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"
#include "plegg/MidiInInterface.h"
#include "plegg/MidiMgr.h"
#include "plegg/MidiOutInterface.h"

namespace plegg
{

const char MidiDevSelectorInterface::KEY_PORT_IN[] = "port_in";
const char MidiDevSelectorInterface::KEY_PORT_OUT[] = "port_out";
const char MidiDevSelectorInterface::KEY_NAME[] = "name";
const char MidiDevSelectorInterface::NAME_NONE[] = "none";

int MidiDevSelectorInterface::scan_devices()
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	int ret = scan_dev_in();
	if (ret == 0)
		ret = scan_dev_out();
	if (ret == 0)
		devices_scanned = true;
	return ret;
}

bool MidiDevSelectorInterface::are_devices_scanned() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return devices_scanned;
}

int MidiDevSelectorInterface::get_nbr_dev_in() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return static_cast<int>(prop_list_in.size());
}

int MidiDevSelectorInterface::get_nbr_dev_out() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return static_cast<int>(prop_list_out.size());
}

MidiDevSelectorInterface::Properties MidiDevSelectorInterface::get_dev_in_prop(int id) const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return (id >= 0 && id < static_cast<int>(prop_list_in.size())) ? prop_list_in[static_cast<std::size_t>(id)] : Properties();
}

MidiDevSelectorInterface::Properties MidiDevSelectorInterface::get_dev_out_prop(int id) const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return (id >= 0 && id < static_cast<int>(prop_list_out.size())) ? prop_list_out[static_cast<std::size_t>(id)] : Properties();
}

int MidiDevSelectorInterface::get_dev_in_cur_id() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return cur_id_in;
}

int MidiDevSelectorInterface::get_dev_out_cur_id() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return cur_id_out;
}

int MidiDevSelectorInterface::select_dev_in(int id)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return select_dev_in_locked(id);
}

int MidiDevSelectorInterface::select_dev_out(int id)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return select_dev_out_locked(id);
}

// The old port is disconnected and unpublished before its component drops
// it; the new one is published only once connected.
int MidiDevSelectorInterface::select_dev_in_locked(int id)
{
	if (midi_mgr != nullptr)
	{
		if (MidiInInterface *old = midi_mgr->get_input_device())
		{
			const int ret = old->disconnect();
			if (ret != 0)
				return ret;
			cur_id_in = -1;
			midi_mgr->set_input_device(nullptr);
		}
	}
	MidiInInterface *port = nullptr;
	int ret = do_select_dev_in(id, port);
	if (ret == 0 && port != nullptr)
		ret = port->connect();
	if (ret != 0)
		return ret;
	cur_id_in = port != nullptr ? id : -1;
	if (midi_mgr != nullptr)
		midi_mgr->set_input_device(port);
	return 0;
}

int MidiDevSelectorInterface::select_dev_out_locked(int id)
{
	if (midi_mgr != nullptr)
	{
		if (MidiOutInterface *old = midi_mgr->get_output_device())
		{
			const int ret = old->disconnect();
			if (ret != 0)
				return ret;
			cur_id_out = -1;
			midi_mgr->set_output_device(nullptr);
		}
	}
	MidiOutInterface *port = nullptr;
	int ret = do_select_dev_out(id, port);
	if (ret == 0 && port != nullptr)
		ret = port->connect();
	if (ret != 0)
		return ret;
	cur_id_out = port != nullptr ? id : -1;
	if (midi_mgr != nullptr)
		midi_mgr->set_output_device(port);
	return 0;
}

int MidiDevSelectorInterface::find_by_name(const std::deque<Properties> &list, const std::string &name)
{
	for (std::size_t i = 0; i < list.size(); ++i)
		if (strcasecmp(list[i].name.c_str(), name.c_str()) == 0)
			return static_cast<int>(i);
	return -1;
}

int MidiDevSelectorInterface::select_dev_in(const std::string &name)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return select_dev_in_locked(find_by_name(prop_list_in, name));
}

int MidiDevSelectorInterface::select_dev_out(const std::string &name)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return select_dev_out_locked(find_by_name(prop_list_out, name));
}

int MidiDevSelectorInterface::select_default_dev(bool on)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	int ret = 0;
	if (on)
	{
		if (!prop_list_in.empty())
			ret = select_dev_in_locked(0);
		if (ret == 0 && !prop_list_out.empty())
			ret = select_dev_out_locked(0);
	}
	else
	{
		ret = select_dev_in_locked(-1);
		if (ret == 0)
			ret = select_dev_out_locked(-1);
	}
	return ret;
}

int MidiDevSelectorInterface::save_settings(basic::ConfKeyMulti &midi)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	MidiDevInterface *ports[2] = {nullptr, nullptr};
	if (midi_mgr != nullptr)
	{
		ports[0] = midi_mgr->get_input_device();
		ports[1] = midi_mgr->get_output_device();
	}
	const char *keys[2] = {KEY_PORT_IN, KEY_PORT_OUT};
	const int ids[2] = {cur_id_in, cur_id_out};
	const std::deque<Properties> *lists[2] = {&prop_list_in, &prop_list_out};
	for (int dir = 0; dir < 2; ++dir)
	{
		basic::ConfKeyMulti section(keys[dir]);
		const int id = ids[dir];
		const bool known = id >= 0 && id < static_cast<int>(lists[dir]->size());
		section.push_back(basic::ConfKeyData(KEY_NAME, known ? (*lists[dir])[static_cast<std::size_t>(id)].name : NAME_NONE));
		if (ports[dir] != nullptr)
		{
			const int ret = ports[dir]->save_settings(section);
			if (ret != 0)
				return ret;
		}
		midi.add_unique(section);
	}
	return 0;
}

int MidiDevSelectorInterface::select_devices_from_key(const basic::ConfKeyMulti &midi)
{
	const std::string in_name = midi.get_key_str(std::string(KEY_PORT_IN) + "/" + KEY_NAME);
	int ret = 0;
	if (!in_name.empty())
		ret = select_dev_in_locked(find_by_name(prop_list_in, in_name));
	if (ret != 0)
		return ret;
	const std::string out_name = midi.get_key_str(std::string(KEY_PORT_OUT) + "/" + KEY_NAME);
	if (!out_name.empty())
		ret = select_dev_out_locked(find_by_name(prop_list_out, out_name));
	return ret;
}

int MidiDevSelectorInterface::load_settings(const basic::ConfKeyMulti &midi)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	int ret = select_devices_from_key(midi);
	if (ret != 0 || midi_mgr == nullptr)
		return ret;
	// A port's own keys; a data key of that name is not a port section.
	MidiDevInterface *ports[2] = {midi_mgr->get_input_device(), midi_mgr->get_output_device()};
	const char *keys[2] = {KEY_PORT_IN, KEY_PORT_OUT};
	for (int dir = 0; dir < 2 && ret == 0; ++dir)
	{
		if (ports[dir] == nullptr)
			continue;
		const long pos = midi.find_index_multi(keys[dir], 0);
		if (pos >= 0)
			ret = ports[dir]->load_settings(static_cast<const basic::ConfKeyMulti &>(midi.use_key(pos)));
	}
	return ret;
}

} // namespace plegg
