// The VST 2 protocol turned into calls on the framework's components: the
// host binding owns the engine, the editor and the MIDI objects and its own
// copy of the bank, arbitrates parameter writers, maps pins to channels and
// serialises programs and banks as chunks.
//
// Threads: the process calls, processEvents, setParameter and getParameter
// come on the host's audio thread; everything else on one or two other threads at once.
// Names and chunk buffers are guarded by `mutex`, which the audio thread
// never takes; values are atomics; sample-rate and suspend/resume changes
// reach the engine through `hand_over`. No lock is held while calling the
// host.
#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/StateHandOver.h"
#include "plegg/HostDspInterface.h"
#include "plegg/BankManager.h"
#include "plegg/ParamPriorityList.h"
#include "plegg/PluginCmdInterface.h"
#include "vst2/AudioEffectX.h"

namespace plegg
{

class DspInterface;
class GuiInterface;
class MidiReceiverInterface;
class MidiMgr;
class MidiDevSelDispatcher;
class Vst2MidiDevSelComp;

class Vst2Plugin : public vst2::AudioEffectX, public PluginCmdInterface
{
public:
	struct StereoIndex
	{
		int chn[2] = {-1, -1};
	};

	static constexpr int PRIO_HOST_PARAM = 100;
	static constexpr int PRIO_MIDI = 125;
	static constexpr int PRIO_HOST_PROGRAM = 200;

	// Owns dsp and gui from here on (deleted even when construction fails).
	Vst2Plugin(vst2::audioMasterCallback host, DspInterface *dsp, GuiInterface *gui, MidiReceiverInterface *rcv, const BankManager &bank, long unique_id);
	~Vst2Plugin() override;

	void init();
	void set_default_state();
	void restore();

	// Host-facing methods.
	// Every host call that never comes on the audio thread also lets the
	// MIDI manager free what learning used up and prepare its spare tables.
	vst2::intptr dispatcher(vst2::int32 opcode, vst2::int32 index, vst2::intptr value, void *ptr, float opt) override;
	float getParameter(vst2::int32 index) override;
	void setParameter(vst2::int32 index, float value) override;
	void getParameterName(vst2::int32 index, char *text) override;
	void getParameterLabel(vst2::int32 index, char *text) override;
	void getParameterDisplay(vst2::int32 index, char *text) override;
	bool string2parameter(vst2::int32 index, char *text) override;
	bool canParameterBeAutomated(vst2::int32 index) override;
	bool getParameterProperties(vst2::int32 index, vst2::VstParameterProperties *props) override;
	void setProgram(vst2::int32 index) override;
	void setProgramName(char *name) override;
	void getProgramName(char *text) override;
	bool getProgramNameIndexed(vst2::int32 category, vst2::int32 index, char *text) override;
	bool copyProgram(vst2::int32 destination) override;
	vst2::int32 getChunk(void **data, bool is_preset) override;
	vst2::int32 setChunk(void *data, vst2::int32 size, bool is_preset) override;
	void setSampleRate(float rate) override;
	void suspend() override;
	void resume() override;
	void processReplacing(float **inputs, float **outputs, vst2::int32 frames) override;
	void process(float **inputs, float **outputs, vst2::int32 frames) override;
	vst2::int32 processEvents(vst2::VstEvents *events) override;
	vst2::int32 canDo(char *text) override;
	vst2::int32 getPlugCategory() override;
	bool getEffectName(char *text) override;
	bool getVendorString(char *text) override;
	bool getProductString(char *text) override;
	vst2::int32 getVendorVersion() override;
	bool getInputProperties(vst2::int32 index, vst2::VstPinProperties *props) override;
	bool getOutputProperties(vst2::int32 index, vst2::VstPinProperties *props) override;
	vst2::int32 getGetTailSize() override { return 0; }
	vst2::int32 keysRequired() override { return 1; }

	// PluginCmdInterface.
	bool is_param_free(int index, int priority) override;
	void reserve_param(int index, int priority) override;
	void release_param(int index, int priority) override;
	bool set_param_pi(long index, float norm, int priority) override;
	bool set_param_pi_and_host(long index, float norm, int priority) override;
	void set_program_pi_and_host(const ProgramSlot &slot, int priority, bool release, bool notify_host) override;

	std::string get_plugin_dir();
	void set_rel_plugin_dir(const char *dir);
	MidiMgr *use_midi_interface() { return midi_mgr; }
	MidiDevSelDispatcher *use_midi_dev_sel() { return dev_dispatcher; }
	int get_input_index(int pin, int chn) const;
	int get_output_index(int pin, int chn) const;
	DspInterface *use_dsp() { return dsp; }
	// The engine's host services live as long as the engine and go after it.
	void adopt_dsp_host(std::unique_ptr<HostDspInterface> h) { dsp_host = std::move(h); }

	// Loads the factory bank resource of that name into bank: 0 or a status.
	static int load_bank_from_rsc(const char *name, BankManager &bank);
	// Whether a bank is fit to be the instance's bank: at least one program,
	// every program with nbr_param finite values in [0, 1], the same extra
	// byte count everywhere.
	static bool is_bank_acceptable(const BankManager &bank, int nbr_param);

protected:
	virtual void request_tempo_gui_refresh_from_process(double bpm) { (void)bpm; }
	virtual std::string do_get_plugin_dir() { return std::string(); }

	GuiInterface *use_gui() { return gui; }

private:
	void compute_channel_mapping();
	void delete_midi_objects();
	void compute_automation_limit();
	void apply_pending_state();
	template <bool MIX>
	void process_block(float **inputs, float **outputs, vst2::int32 frames);
	bool check_param_index(long index) const { return index >= 0 && index < nbr_param; }
	static float sanitize_norm(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

	std::unique_ptr<HostDspInterface> dsp_host;
	BankManager bank;
	ParamPriorityList prio_list;
	MidiMgr *midi_mgr = nullptr;
	MidiDevSelDispatcher *dev_dispatcher = nullptr;
	Vst2MidiDevSelComp *vst_dev_comp = nullptr;
	DspInterface *dsp = nullptr;
	GuiInterface *gui = nullptr;
	MidiReceiverInterface *midi_receiver = nullptr;
	int nbr_param = 0;
	int nbr_in_chn = 0;
	int nbr_out_chn = 0;
	// Written by resume, read by whichever thread asks canParameterBeAutomated.
	std::atomic<int> automation_limit{999999999};
	float last_tempo = 0;
	std::deque<StereoIndex> in_index;
	std::deque<StereoIndex> out_index;
	std::string rel_plugin_dir;

	// Guards names, the bank's structure-preserving copies and the chunk
	// buffers. Never taken on the audio thread, never held while calling the host.
	std::mutex mutex;
	std::vector<unsigned char> bank_chunk;
	std::vector<unsigned char> prog_chunk;
	StateHandOver hand_over;
};

} // namespace plegg
