#include "plegg/MidiDevSelCompInterface.h"

#include "plegg/MidiDevInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"

namespace plegg
{

int MidiDevSelCompInterface::scan_dev_in(int first)
{
	const int ret = do_scan_dev_in(first);
	if (ret == 0)
	{
		start_id_in = first;
		nbr_dev_in = (dispatcher != nullptr ? dispatcher->get_nbr_dev_in() : first) - first;
	}
	return ret;
}

int MidiDevSelCompInterface::scan_dev_out(int first)
{
	const int ret = do_scan_dev_out(first);
	if (ret == 0)
	{
		start_id_out = first;
		nbr_dev_out = (dispatcher != nullptr ? dispatcher->get_nbr_dev_out() : first) - first;
	}
	return ret;
}

int MidiDevSelCompInterface::configure_dev_in(int id)
{
	return owns_in(id) ? do_configure_dev_in(id) : 0;
}

int MidiDevSelCompInterface::configure_dev_out(int id)
{
	return owns_out(id) ? do_configure_dev_out(id) : 0;
}

int MidiDevSelCompInterface::select_dev_in(int id, MidiInInterface *&port)
{
	return owns_in(id) ? do_select_dev_in(id, port) : do_remove_dev_in();
}

int MidiDevSelCompInterface::select_dev_out(int id, MidiOutInterface *&port)
{
	return owns_out(id) ? do_select_dev_out(id, port) : do_remove_dev_out();
}

void MidiDevSelCompInterface::dispose_port(std::unique_ptr<MidiDevInterface> port)
{
	MidiMgr *mgr = dispatcher != nullptr ? dispatcher->use_midi_mgr() : nullptr;
	if (mgr != nullptr)
		mgr->retire_port(std::move(port));
	// Without a manager no audio block can reach the port: it goes now.
}

} // namespace plegg
