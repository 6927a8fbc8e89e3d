#include "plegg/MidiDevSelDispatcher.h"

#include "plegg/MidiDevSelCompInterface.h"

namespace plegg
{

void MidiDevSelDispatcher::register_dev_list(MidiDevSelCompInterface &comp)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	comp_list.push_back(&comp);
	comp.register_ack(*this);
}

void MidiDevSelDispatcher::add_dev_in(const Properties &prop)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	use_prop_list_in_locked().push_back(prop);
}

void MidiDevSelDispatcher::add_dev_out(const Properties &prop)
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	use_prop_list_out_locked().push_back(prop);
}

bool MidiDevSelDispatcher::is_initialised() const
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	return initialised;
}

int MidiDevSelDispatcher::init()
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->init();
		if (ret != 0)
			return ret;
	}
	initialised = true;
	return 0;
}

int MidiDevSelDispatcher::configure_dev_in()
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	const int id = get_dev_in_cur_id();
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->configure_dev_in(id);
		if (ret != 0)
			return ret;
	}
	return 0;
}

int MidiDevSelDispatcher::configure_dev_out()
{
	std::lock_guard<std::recursive_mutex> lock(mutex);
	const int id = get_dev_out_cur_id();
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->configure_dev_out(id);
		if (ret != 0)
			return ret;
	}
	return 0;
}

int MidiDevSelDispatcher::scan_dev_in()
{
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->scan_dev_in(get_nbr_dev_in());
		if (ret != 0)
			return ret;
	}
	return 0;
}

int MidiDevSelDispatcher::scan_dev_out()
{
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->scan_dev_out(get_nbr_dev_out());
		if (ret != 0)
			return ret;
	}
	return 0;
}

int MidiDevSelDispatcher::do_select_dev_in(int id, MidiInInterface *&port)
{
	port = nullptr;
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->select_dev_in(id, port);
		if (ret != 0)
			return ret;
	}
	return 0;
}

int MidiDevSelDispatcher::do_select_dev_out(int id, MidiOutInterface *&port)
{
	port = nullptr;
	for (MidiDevSelCompInterface *comp : comp_list)
	{
		const int ret = comp->select_dev_out(id, port);
		if (ret != 0)
			return ret;
	}
	return 0;
}

} // namespace plegg
