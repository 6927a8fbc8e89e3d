#include "plegg/MidiDevInterface.h"

#include "plegg/MidiMgr.h"

namespace plegg
{

int MidiDevInterface::save_settings(basic::ConfKeyMulti &section)
{
	(void)section;
	return 0;
}

int MidiDevInterface::load_settings(const basic::ConfKeyMulti &section)
{
	(void)section;
	return 0;
}

int MidiDevInterface::init()
{
	return 0;
}

void MidiDevInterface::set_midi_mgr(MidiMgr &mgr)
{
	midi_mgr = &mgr;
	dsp = mgr.use_dsp();
	midi_client = mgr.use_midi_client();
}

} // namespace plegg
