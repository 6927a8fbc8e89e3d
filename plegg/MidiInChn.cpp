#include "plegg/MidiInChn.h"

#include "plegg/MidiReceiverInterface.h"

namespace plegg
{

int MidiInChn::init()
{
	int ret = MidiDevInterface::init();
	if (ret != 0)
		return ret;
	MidiReceiverInterface *client = use_midi_client();
	if (client == nullptr)
		return -1;
	for (int chn = 0; chn < NBR_CHN && ret == 0; ++chn)
		ret = channels[static_cast<std::size_t>(chn)].init(*client, chn);
	return ret;
}

} // namespace plegg
