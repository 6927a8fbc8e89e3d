#include "plegg/MidiInCcMixin.h"

#include "plegg/MidiMgr.h"
#include "plegg/MidiReceiverInterface.h"

namespace plegg
{

namespace
{

enum
{
	CC_DATA_ENTRY_MSB = 6,
	CC_DATA_ENTRY_LSB = 38,
	CC_NRPN_LSB = 98,
	CC_NRPN_MSB = 99,
	CC_RPN_LSB = 100,
	CC_RPN_MSB = 101
};

} // namespace

void MidiInCcMixin::process_control_change(int chn, int cc, int value)
{
	cc &= 127;
	value &= 127;
	MidiChannelState &state = use_channel(chn & 15);
	const MidiMgr *mgr = use_midi_mgr();
	// The old erroneous behaviour swaps MSB and LSB of the parameter numbers.
	const bool standard = mgr == nullptr || mgr->use_persistent_midi_settings().get_nrpn_compatibility() != PersistentMidiSettings::NrpnCompatibility_OLD;

	long ctrl_id = 0;
	int value14 = 0;
	switch (cc)
	{
	case CC_NRPN_MSB:
		standard ? state.set_nrpn_id_msb(value) : state.set_nrpn_id_lsb(value);
		return;
	case CC_NRPN_LSB:
		standard ? state.set_nrpn_id_lsb(value) : state.set_nrpn_id_msb(value);
		return;
	case CC_RPN_MSB:
		standard ? state.set_rpn_id_msb(value) : state.set_rpn_id_lsb(value);
		return;
	case CC_RPN_LSB:
		standard ? state.set_rpn_id_lsb(value) : state.set_rpn_id_msb(value);
		return;
	case CC_DATA_ENTRY_MSB:
	case CC_DATA_ENTRY_LSB:
	{
		if (cc == CC_DATA_ENTRY_MSB)
			state.set_xrpn_msb(value);
		else
			state.set_xrpn_lsb(value);
		MidiReceiverInterface *client = use_midi_client();
		if (state.get_data_entry_type() == MidiChannelState::DataEntryType_RPN)
		{
			const int id = state.get_rpn_id();
			value14 = state.get_rpn_val();
			if (client != nullptr)
				client->do_send_midi_rpn(chn & 15, id, value14);
			ctrl_id = MidiMgr::encode_ctrl_id(MidiMgr::CTRL_TYPE_RPN, id);
		}
		else
		{
			const int id = state.get_nrpn_id();
			value14 = state.get_nrpn_val();
			if (client != nullptr)
				client->do_send_midi_nrpn(chn & 15, id, value14);
			ctrl_id = MidiMgr::encode_ctrl_id(MidiMgr::CTRL_TYPE_NRPN, id);
		}
		break;
	}
	default:
		ctrl_id = MidiMgr::encode_ctrl_id(cc, 0);
		value14 = value << 7;
		break;
	}
	control_change_2_param(ctrl_id, value14);
}

} // namespace plegg
