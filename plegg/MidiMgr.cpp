#include "plegg/MidiMgr.h"

#include <cmath>

#include "plegg/DspInterface.h"
#include "plegg/MidiDevInterface.h"
#include "plegg/MidiDevSelectorInterface.h"
#include "plegg/MidiInInterface.h"
#include "plegg/MidiOutInterface.h"

namespace plegg
{

namespace
{

constexpr int CC_STATUS_NIBBLE = 11;

} // namespace

MidiMgr::~MidiMgr()
{
	std::lock_guard<std::mutex> lock(port_mutex);
	retired_ports.clear();
}

long MidiMgr::encode_ctrl_id(int type, int number)
{
	if (type == CTRL_TYPE_RPN || type == CTRL_TYPE_NRPN)
		return static_cast<long>(type) * 65536 + number;
	return static_cast<long>(type) * 65536;
}

void MidiMgr::decode_ctrl_id(int &type, int &number, long ctrl_id)
{
	type = static_cast<int>(ctrl_id >> 16);
	number = static_cast<int>(ctrl_id & 0x3FFF);
}

void MidiMgr::connect_obj(MidiReceiverInterface &client, DspInterface &dsp_, MidiDevSelectorInterface &selector, PluginCmdInterface &cmd)
{
	midi_client = &client;
	dsp = &dsp_;
	dev_selector = &selector;
	plugin_cmd = &cmd;
	selector.connect_midi_mgr(*this);
}

int MidiMgr::init()
{
	return dev_selector != nullptr ? dev_selector->scan_devices() : 0;
}

void MidiMgr::set_persistent_midi_settings(const char *product_key)
{
	persistent_settings.init(product_key);
}

// --- Bindings ---

void MidiMgr::set_default_nrpn_mapping()
{
	const int nbr = dsp != nullptr ? dsp->get_nbr_param() : 0;
	param_map.edit([nbr](MidiParamMap::Table &t) {
		t.clear();
		for (int i = 0; i < nbr; ++i)
			t.associate(i, encode_ctrl_id(CTRL_TYPE_NRPN, i));
		return true;
	});
}

void MidiMgr::associate_param(int param, long ctrl_id)
{
	param_map.associate(param, ctrl_id);
}

void MidiMgr::associate_param(int param, int type, int number)
{
	associate_param(param, encode_ctrl_id(type, number));
}

void MidiMgr::dissociate_param(int param)
{
	param_map.dissociate(param);
}

std::map<long, int> MidiMgr::get_param_mapping() const
{
	return param_map.get_map();
}

void MidiMgr::map_cc_2_param(long ctrl_id, int value14, int &param, float &norm) const
{
	param = param_map.find_param(ctrl_id);
	norm = param >= 0 ? static_cast<float>(value14 * (1.0 / 16383)) : -1.0f;
}

void MidiMgr::autobind_cc_2_param(long ctrl_id, int value14, int &param, float &norm)
{
	int armed = autobind_param.load();
	if (armed >= 0 && (ctrl_id >> 16) != CTRL_TYPE_NRPN)
	{
		// A learn that cannot be made (full table) fails quietly.
		if (param_map.learn(armed, ctrl_id))
		{
			latest_autobind.store(pack_latest(armed, ctrl_id));
			if (persistent_settings.get_autobind_mode() == PersistentMidiSettings::AutobindMode_SINGLE)
				autobind_param.compare_exchange_strong(armed, -1);
		}
	}
	map_cc_2_param(ctrl_id, value14, param, norm);
}

void MidiMgr::map_param_2_cc(int param, float norm, long &ctrl_id, int &value14) const
{
	ctrl_id = param_map.find_ctrl(param);
	if (ctrl_id < 0)
	{
		value14 = -1;
		return;
	}
	if (!(norm >= 0.0f))
		norm = 0.0f;
	else if (norm > 1.0f)
		norm = 1.0f;
	value14 = static_cast<int>(std::floor(norm * 16383.0 + 0.5));
}

namespace
{

// Runs fnc on the output port inside the gate; 0 without a port.
template <class Fnc>
int with_output(const MidiUseGate &gate, const std::atomic<MidiOutInterface *> &output, Fnc &&fnc)
{
	MidiUseGate::Pass pass(gate);
	MidiOutInterface *out = output.load();
	return out != nullptr ? fnc(*out) : 0;
}

} // namespace

int MidiMgr::param_to_midi_out(int chn, int param, float norm)
{
	long ctrl_id = -1;
	int value14 = -1;
	map_param_2_cc(param, norm, ctrl_id, value14);
	if (ctrl_id < 0)
		return -2;
	int type = 0;
	int number = 0;
	decode_ctrl_id(type, number, ctrl_id);
	int sent = 0;
	if (type == CTRL_TYPE_NRPN)
		sent = do_send_midi_nrpn(chn, number, value14);
	else if (type == CTRL_TYPE_RPN)
		sent = do_send_midi_rpn(chn, number, value14);
	else
	{
		// Controllers 0 to 31 carry their 14-bit LSB on the controller 32
		// above; both go to the same port in one pass.
		sent = with_output(port_gate, output, [&](MidiOutInterface &o) {
			if (o.do_send_midi_chn_cmd(chn, CC_STATUS_NIBBLE, type, value14 >> 7) == 0)
				return 0;
			return type <= 31 ? o.do_send_midi_chn_cmd(chn, CC_STATUS_NIBBLE, type + 32, value14 & 127) : 1;
		});
	}
	return sent != 0 ? 0 : -1;
}

// --- Learning ---

void MidiMgr::set_autobind_param(int param)
{
	autobind_param.store(param);
	// The editor arms a parameter before each learn: a good moment to give
	// the audio side fresh spare tables.
	param_map.collect();
}

bool MidiMgr::get_latest_autobind_info(int &param, long &ctrl_id) const
{
	const std::uint64_t v = latest_autobind.load();
	const int p = static_cast<std::int32_t>(static_cast<std::uint32_t>(v >> 32));
	if (p < 0)
		return false;
	param = p;
	ctrl_id = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
	return true;
}

void MidiMgr::clear_latest_autobind_info()
{
	latest_autobind.store(pack_latest(-1, 0));
}

// --- Ports ---

void MidiMgr::process_pre()
{
	MidiUseGate::Pass pass(port_gate);
	if (MidiInInterface *in = input.load())
		in->process_pre();
	if (MidiOutInterface *out = output.load())
		out->process_pre();
}

void MidiMgr::process_post()
{
	MidiUseGate::Pass pass(port_gate);
	if (MidiInInterface *in = input.load())
		in->process_post();
	if (MidiOutInterface *out = output.load())
		out->process_post();
}

void MidiMgr::reset_time_stamp(long t)
{
	MidiUseGate::Pass pass(port_gate);
	if (MidiInInterface *in = input.load())
		in->reset_time_stamp(t);
}

void MidiMgr::finish_block()
{
	MidiUseGate::Pass pass(port_gate);
	MidiInInterface *in = input.load();
	MidiOutInterface *out = output.load();
	if (in != nullptr)
		in->reset_time_stamp(0);
	if (out != nullptr)
		out->do_set_time_stamp(0);
	if (in != nullptr)
		in->process_post();
	if (out != nullptr)
		out->process_post();
}

void MidiMgr::retire_port(std::unique_ptr<MidiDevInterface> port)
{
	if (port == nullptr)
		return;
	// Never leave a published pointer to it.
	MidiInInterface *in = input.load();
	if (in != nullptr && static_cast<MidiDevInterface *>(in) == port.get())
		input.compare_exchange_strong(in, nullptr);
	MidiOutInterface *out = output.load();
	if (out != nullptr && static_cast<MidiDevInterface *>(out) == port.get())
		output.compare_exchange_strong(out, nullptr);
	{
		std::lock_guard<std::mutex> lock(port_mutex);
		retired_ports.push_back(std::move(port));
	}
	collect_ports();
}

void MidiMgr::collect_ports()
{
	std::vector<std::unique_ptr<MidiDevInterface>> dead;
	{
		std::lock_guard<std::mutex> lock(port_mutex);
		if (retired_ports.empty() || !port_gate.is_idle())
			return;
		dead.swap(retired_ports);
	}
	// Deleted outside the lock: a port's destructor may stop a thread.
}

void MidiMgr::collect_garbage()
{
	collect_ports();
	param_map.collect();
}

void MidiMgr::do_set_time_stamp(long t)
{
	with_output(port_gate, output, [t](MidiOutInterface &o) { o.do_set_time_stamp(t); return 0; });
}

int MidiMgr::do_send_midi_note_on(int chn, int note, float pitch, float a, float velo, bool b)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_note_on(chn, note, pitch, a, velo, b); });
}

int MidiMgr::do_send_midi_note_off(int chn, int note, float velo)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_note_off(chn, note, velo); });
}

int MidiMgr::do_send_midi_velo(int chn, int note, float velo)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_velo(chn, note, velo); });
}

int MidiMgr::do_send_midi_pitch_bend(int chn, float semitones)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_pitch_bend(chn, semitones); });
}

int MidiMgr::do_send_midi_program_change(int chn, long prog)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_program_change(chn, prog); });
}

int MidiMgr::do_send_midi_rpn(int chn, int id, long val)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_rpn(chn, id, val); });
}

int MidiMgr::do_send_midi_nrpn(int chn, int id, long val)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_nrpn(chn, id, val); });
}

int MidiMgr::do_send_midi_chn_cmd(int chn, int cmd, int d1, int d2)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_chn_cmd(chn, cmd, d1, d2); });
}

int MidiMgr::do_send_midi_rt_cmd(int status)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_rt_cmd(status); });
}

int MidiMgr::do_send_midi_common_cmd(int status, int d1, int d2)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_common_cmd(status, d1, d2); });
}

int MidiMgr::do_send_midi_sys_ex(long len, const unsigned char *data)
{
	return with_output(port_gate, output, [&](MidiOutInterface &o) { return o.do_send_midi_sys_ex(len, data); });
}

int MidiMgr::do_send_midi_reset()
{
	return with_output(port_gate, output, [](MidiOutInterface &o) { return o.do_send_midi_reset(); });
}

} // namespace plegg
