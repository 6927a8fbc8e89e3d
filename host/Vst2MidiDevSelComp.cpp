#include "host/Vst2MidiDevSelComp.h"

#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"

namespace plegg
{

const char Vst2MidiDevSelComp::DEV_NAME_IN[] = "VST MIDI In interface";
const char Vst2MidiDevSelComp::DEV_NAME_OUT[] = "VST MIDI Out interface";

int Vst2MidiDevSelComp::init()
{
	const int ret = vst_in.init();
	return ret != 0 ? ret : vst_out.init();
}

int Vst2MidiDevSelComp::do_scan_dev_in(int first)
{
	(void)first;
	MidiDevSelDispatcher *d = use_dispatcher();
	if (d == nullptr)
		return -1;
	MidiDevSelectorInterface::Properties prop;
	prop.name = DEV_NAME_IN;
	d->add_dev_in(prop);
	return 0;
}

int Vst2MidiDevSelComp::do_scan_dev_out(int first)
{
	(void)first;
	MidiDevSelDispatcher *d = use_dispatcher();
	if (d == nullptr)
		return -1;
	MidiDevSelectorInterface::Properties prop;
	prop.name = DEV_NAME_OUT;
	d->add_dev_out(prop);
	return 0;
}

int Vst2MidiDevSelComp::do_select_dev_in(int id, MidiInInterface *&port)
{
	if (id == get_start_id_in())
		port = &vst_in;
	return 0;
}

int Vst2MidiDevSelComp::do_select_dev_out(int id, MidiOutInterface *&port)
{
	if (id == get_start_id_out())
		port = &vst_out;
	return 0;
}

void Vst2MidiDevSelComp::do_set_plugin(Vst2Plugin &p)
{
	MidiDevSelDispatcher *d = use_dispatcher();
	MidiMgr *mgr = d != nullptr ? d->use_midi_mgr() : nullptr;
	vst_in.set_plugin(p);
	if (mgr != nullptr)
		vst_in.set_midi_mgr(*mgr);
	vst_out.set_plugin(p);
	if (mgr != nullptr)
		vst_out.set_midi_mgr(*mgr);
}

} // namespace plegg
