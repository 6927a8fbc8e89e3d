// The plug-in's MIDI hub: binds MIDI controllers (CC, RPN, NRPN folded into
// controller ids) to parameters, turns incoming controller values into
// normalized parameter values and parameter changes back into controller
// messages, learns bindings ("Auto-bind"), saves and loads the bindings in
// the setting file, and stands between the engine and the current MIDI
// ports, which the device selection sets.
//
// Controller id: type x 65536 + number. A plain control change has the CC
// number as type and number 0; an RPN has type 101, an NRPN type 99, each
// with its 14-bit number.
//
// Threads: MIDI input is decoded and learnt on the host's audio thread;
// bindings are also changed by the editor's thread and the thread that
// loads settings; MIDI is sent from any of them. The bindings are a
// MidiParamMap (lock-free for the audio thread), the learn state is atomic,
// and the ports are reached through atomic pointers inside a use gate: a
// port the device selection drops is freed by a non-audio thread once no
// process call or send is using it (retire_port), never on the audio thread
// and never by waiting for it.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "basic/SettingClientInterface.h"
#include "plegg/MidiParamMap.h"
#include "plegg/MidiReceiverInterface.h"
#include "plegg/MidiUseGate.h"
#include "plegg/PersistentMidiSettings.h"

namespace basic
{
class ConfKeyData;
class ConfKeyMulti;
}

namespace plegg
{

class DspInterface;
class MidiDevInterface;
class MidiDevSelectorInterface;
class MidiInInterface;
class MidiOutInterface;
class PluginCmdInterface;

class MidiMgr : public MidiReceiverInterface, public basic::SettingClientInterface
{
public:
	static constexpr int CTRL_TYPE_NRPN = 99;
	static constexpr int CTRL_TYPE_RPN = 101;
	// The priority of parameter changes made by MIDI controllers.
	static constexpr int PRIO_MIDI = 125;

	// A binding as the setting file writes it.
	struct ParamMapping
	{
		int index;
		int type;
		int number;
	};
	struct ParamMappingPred
	{
		bool operator()(const ParamMapping &a, const ParamMapping &b) const { return a.index < b.index; }
	};

	MidiMgr() = default;
	MidiMgr(const MidiMgr &) = delete;
	MidiMgr &operator=(const MidiMgr &) = delete;
	~MidiMgr() override;

	static long encode_ctrl_id(int type, int number);
	static void decode_ctrl_id(int &type, int &number, long ctrl_id);

	// Assembly (host binding's thread).
	void connect_obj(MidiReceiverInterface &client, DspInterface &dsp, MidiDevSelectorInterface &selector, PluginCmdInterface &cmd);
	int init();
	void set_default_state() {}
	void restore() {}
	void set_persistent_midi_settings(const char *product_key);
	void set_persistent_midi_settings(const std::string &product_key) { set_persistent_midi_settings(product_key.c_str()); }

	// Bindings (non-audio threads).
	void set_default_nrpn_mapping();
	void associate_param(int param, long ctrl_id);
	void associate_param(int param, int type, int number);
	void dissociate_param(int param);
	std::map<long, int> get_param_mapping() const;

	// Look-ups (any thread, lock-free). norm: value14 / 16383; -1 and -1.0
	// when the controller is not bound.
	void map_cc_2_param(long ctrl_id, int value14, int &param, float &norm) const;
	// The learning step, then map_cc_2_param (thread that decodes input).
	void autobind_cc_2_param(long ctrl_id, int value14, int &param, float &norm);
	// ctrl_id -1 when param is not bound.
	void map_param_2_cc(int param, float norm, long &ctrl_id, int &value14) const;
	// 0 sent, -1 the send failed (or there is no output), -2 not bound.
	int param_to_midi_out(int chn, int param, float norm);

	// Learning. The armed parameter is set by the editor's thread.
	void set_autobind_param(int param);
	int get_autobind_param() const { return autobind_param.load(); }
	void clear_cur_autobind() { autobind_param.store(-1); }
	bool get_latest_autobind_info(int &param, long &ctrl_id) const;
	void clear_latest_autobind_info();

	// Around each audio block, on the audio thread: the input's, then the
	// output's operation.
	void process_pre();
	void process_post();
	void reset_time_stamp(long t);
	// After the engine's block: reset_time_stamp(0), do_set_time_stamp(0)
	// and process_post() with one pass through the port gate.
	void finish_block();

	// MidiReceiverInterface: forwarded to the output port; 0 without one.
	void do_set_time_stamp(long t) override;
	int do_send_midi_note_on(int chn, int note, float pitch, float a, float velo, bool b) override;
	int do_send_midi_note_off(int chn, int note, float velo) override;
	int do_send_midi_velo(int chn, int note, float velo) override;
	int do_send_midi_pitch_bend(int chn, float semitones) override;
	int do_send_midi_program_change(int chn, long prog) override;
	int do_send_midi_rpn(int chn, int id, long val) override;
	int do_send_midi_nrpn(int chn, int id, long val) override;
	int do_send_midi_chn_cmd(int chn, int cmd, int d1, int d2) override;
	int do_send_midi_rt_cmd(int status) override;
	int do_send_midi_common_cmd(int status, int d1, int d2) override;
	int do_send_midi_sys_ex(long len, const unsigned char *data) override;
	int do_send_midi_reset() override;

	// Ports (set by the device selection).
	MidiInInterface *get_input_device() const { return input.load(); }
	void set_input_device(MidiInInterface *port) { input.store(port); }
	MidiOutInterface *get_output_device() const { return output.load(); }
	void set_output_device(MidiOutInterface *port) { output.store(port); }
	// Takes a port its component no longer wants (non-audio thread). It is
	// deleted now when no process call or send is using the ports, else by
	// a later non-audio call of the manager or at destruction.
	void retire_port(std::unique_ptr<MidiDevInterface> port);
	// Frees what the audio side left behind (retired ports and binding
	// tables) and prepares the spare tables for learning. Non-audio threads.
	void collect_garbage();

	PluginCmdInterface *use_plugin_cmd() const { return plugin_cmd; }
	MidiDevSelectorInterface *use_dev_selector() const { return dev_selector; }
	MidiReceiverInterface *use_midi_client() const { return midi_client; }
	DspInterface *use_dsp() const { return dsp; }
	PersistentMidiSettings &use_persistent_midi_settings() { return persistent_settings; }
	const PersistentMidiSettings &use_persistent_midi_settings() const { return persistent_settings; }
	const MidiParamMap &use_param_map() const { return param_map; }

	// Settings: the "midi" section with "control_map" and the device keys.
	int save_settings(basic::ConfKeyMulti &parent) override;
	int load_settings(const basic::ConfKeyMulti &parent) override;

	// Setting-file texts of a binding; false when the text is not one.
	static bool decode_parma_conf_key_name(const std::string &name, int &index);
	static bool decode_param_conf_key_content(const std::string &content, int &type, int &number);

private:
	int save_param_map(basic::ConfKeyMulti &midi) const;
	void load_param_map(const basic::ConfKeyMulti &midi);
	static bool load_param_conf(const basic::ConfKeyData &key, int &index, long &ctrl_id);
	void collect_ports();

	static std::uint64_t pack_latest(int param, long ctrl_id)
	{
		return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(param)) << 32) | static_cast<std::uint32_t>(ctrl_id);
	}

	MidiParamMap param_map;
	DspInterface *dsp = nullptr;
	MidiReceiverInterface *midi_client = nullptr;
	std::atomic<MidiOutInterface *> output{nullptr};
	std::atomic<MidiInInterface *> input{nullptr};
	MidiDevSelectorInterface *dev_selector = nullptr;
	PluginCmdInterface *plugin_cmd = nullptr;
	PersistentMidiSettings persistent_settings;
	std::atomic<int> autobind_param{-1};
	// Parameter (high half, -1 = none) and controller of the latest learnt
	// binding, read together.
	std::atomic<std::uint64_t> latest_autobind{pack_latest(-1, 0)};

	MidiUseGate port_gate;
	std::mutex port_mutex; // retired_ports, never on the audio thread
	std::vector<std::unique_ptr<MidiDevInterface>> retired_ports;
};

} // namespace plegg
