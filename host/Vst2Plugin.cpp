// Construction, lifecycle, processing and identity of the host binding.
#include "host/Vst2Plugin.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <strings.h>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"
#include "host/Vst2MidiDevSelComp.h"
#include "plegg/DspInterface.h"
#include "plegg/GuiInterface.h"
#include "plegg/HostDspInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/PinProperty.h"
#include "plegg/TimeInfo.h"

namespace plegg
{

namespace
{

bool equal_no_case(const std::string &a, const char *b)
{
	return strcasecmp(a.c_str(), b) == 0;
}

} // namespace

Vst2Plugin::Vst2Plugin(vst2::audioMasterCallback host, DspInterface *dsp_, GuiInterface *gui_, MidiReceiverInterface *rcv, const BankManager &bank_, long unique_id)
: AudioEffectX(host, bank_.get_nbr_prog(), dsp_ != nullptr ? dsp_->get_nbr_param() : 0)
, dsp(dsp_)
, gui(gui_)
, midi_receiver(rcv)
{
	try
	{
		bank = bank_;
		nbr_param = dsp->get_nbr_param();
		prio_list.set_nbr_param(nbr_param);
		compute_channel_mapping();
		canProcessReplacing(true);
		if (dsp->get_property("can_mono") != 0)
			canMono(true);
		// Without a MIDI receiver there are no MIDI objects and the MIDI
		// can-dos answer -1.
		if (midi_receiver != nullptr)
		{
			midi_mgr = new MidiMgr;
			vst_dev_comp = new Vst2MidiDevSelComp;
			dev_dispatcher = new MidiDevSelDispatcher;
			midi_mgr->connect_obj(*midi_receiver, *dsp, *dev_dispatcher, *this);
			dev_dispatcher->register_dev_list(*vst_dev_comp);
			vst_dev_comp->set_plugin(*this);
		}
		if (equal_no_case(dsp->get_string_property("plugin_category"), "instrument"))
			set_flag(vst2::effFlagsIsSynth, true);
		setUniqueID(static_cast<vst2::int32>(unique_id));
	}
	catch (...)
	{
		delete_midi_objects();
		delete dsp;
		dsp = nullptr;
		delete gui;
		gui = nullptr;
		throw;
	}
}

void Vst2Plugin::delete_midi_objects()
{
	delete dev_dispatcher;
	dev_dispatcher = nullptr;
	delete vst_dev_comp;
	vst_dev_comp = nullptr;
	delete midi_mgr;
	midi_mgr = nullptr;
}

Vst2Plugin::~Vst2Plugin()
{
	try
	{
		restore();
	}
	catch (...)
	{
	}
	delete_midi_objects();
	delete dsp;
	dsp = nullptr;
	delete gui;
	gui = nullptr;
}

namespace
{

// Pins in order, each channel taking the next host index; a pin contributes
// at most two channels to its record. Returns the number of host channels.
template <class PinOf>
int map_pins(int nbr_pin, PinOf pin_of, std::deque<Vst2Plugin::StereoIndex> &index)
{
	int idx = 0;
	for (int pin = 0; pin < nbr_pin; ++pin)
	{
		Vst2Plugin::StereoIndex si;
		const int n = pin_of(pin).get_nbr_chn();
		for (int c = 0; c < n; ++c, ++idx)
			if (c < 2)
				si.chn[c] = idx;
		index.push_back(si);
	}
	return idx;
}

// The pin and channel whose host index is index: label and flags.
template <class PinOf>
bool describe_pin(vst2::int32 index, const std::deque<Vst2Plugin::StereoIndex> &map, PinOf pin_of, vst2::VstPinProperties *props)
{
	for (int pin = 0; pin < static_cast<int>(map.size()); ++pin)
		for (int c = 0; c < 2; ++c)
			if (map[pin].chn[c] == index)
			{
				const PinProperty &pp = pin_of(pin);
				basic::strncpy_0(props->label, pp.get_chn_name(c).c_str(), 63);
				basic::strncpy_0(props->shortLabel, pp.get_chn_name(c).c_str(), 7);
				props->flags = vst2::kVstPinIsActive | (pp.get_nbr_chn() == 2 ? vst2::kVstPinIsStereo : 0);
				return true;
			}
	return false;
}

} // namespace

vst2::intptr Vst2Plugin::dispatcher(vst2::int32 opcode, vst2::int32 index, vst2::intptr value, void *ptr, float opt)
{
	// Of the dispatcher's calls, only these come on the audio thread.
	if (opcode != vst2::effProcessEvents && opcode != vst2::effSetBypass && midi_mgr != nullptr)
		midi_mgr->collect_garbage();
	return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
}

void Vst2Plugin::compute_channel_mapping()
{
	nbr_in_chn = map_pins(dsp->get_nbr_in_pin(), [this](int pin) -> const PinProperty & { return dsp->get_input_pin_prop(pin); }, in_index);
	nbr_out_chn = map_pins(dsp->get_nbr_out_pin(), [this](int pin) -> const PinProperty & { return dsp->get_output_pin_prop(pin); }, out_index);
	setNumInputs(nbr_in_chn);
	setNumOutputs(nbr_out_chn);
}

int Vst2Plugin::get_input_index(int pin, int chn) const
{
	if (pin < 0 || pin >= static_cast<int>(in_index.size()) || chn < 0 || chn > 1)
		return -1;
	return in_index[pin].chn[chn];
}

int Vst2Plugin::get_output_index(int pin, int chn) const
{
	if (pin < 0 || pin >= static_cast<int>(out_index.size()) || chn < 0 || chn > 1)
		return -1;
	return out_index[pin].chn[chn];
}

void Vst2Plugin::init()
{
	dsp->init();
	if (bank.get_nbr_prog() > 0 && bank[0].get_extra_byte_size() > 0)
		programsAreChunks(true);
	if (midi_mgr != nullptr)
	{
		midi_mgr->init();
		dev_dispatcher->init();
		dev_dispatcher->select_default_dev(true);
	}
	if (gui != nullptr)
		gui->init();
}

void Vst2Plugin::set_default_state()
{
	dsp->set_default_state();
	if (midi_mgr != nullptr)
		midi_mgr->set_default_state();
	if (gui != nullptr)
		gui->set_default_state();
}

void Vst2Plugin::restore()
{
	if (dsp != nullptr)
		dsp->restore();
	if (midi_mgr != nullptr)
		midi_mgr->restore();
	if (gui != nullptr)
		gui->restore();
}

// --- Sample rate, suspend, resume ---

void Vst2Plugin::apply_pending_state()
{
	float rate = 0;
	if (!hand_over.take_pending(rate))
		return;
	if (rate > 0)
		dsp->set_sample_freq(rate);
	dsp->clear_buffers();
}

void Vst2Plugin::setSampleRate(float rate)
{
	if (!std::isfinite(rate) || rate <= 0)
		return;
	sampleRate = rate;
	hand_over.request(rate, [this] { apply_pending_state(); });
}

void Vst2Plugin::suspend()
{
	hand_over.request(0, [this] { apply_pending_state(); });
}

void Vst2Plugin::resume()
{
	compute_automation_limit();
	hand_over.request(0, [this] { apply_pending_state(); });
	if (midi_mgr != nullptr)
		wantEvents(1);
}

// --- Processing ---

template <bool MIX>
void Vst2Plugin::process_block(float **inputs, float **outputs, vst2::int32 frames)
{
	if (frames <= 0 || inputs == nullptr || outputs == nullptr)
		return;
	if (!hand_over.begin_process([this] { apply_pending_state(); }))
	{
		// State is being replaced right now: this block stays silent.
		if (!MIX)
			for (int c = 0; c < nbr_out_chn; ++c)
				if (outputs[c] != nullptr)
					std::memset(outputs[c], 0, sizeof(float) * static_cast<std::size_t>(frames));
		return;
	}
	const StateHandOver::ProcessEnd process_end(hand_over);
	HostDspInterface *host_dsp = dsp->get_host();
	if (host_dsp != nullptr)
	{
		TimeInfo ti;
		ti.tempo_flag = true;
		host_dsp->get_time_info(ti);
		if (!ti.no_info && ti.tempo_flag && static_cast<float>(ti.tempo) != last_tempo)
		{
			last_tempo = static_cast<float>(ti.tempo);
			dsp->set_tempo(last_tempo);
			if (gui != nullptr)
				request_tempo_gui_refresh_from_process(ti.tempo);
		}
	}
	// MIDI queued since the previous block goes to the host now.
	if (midi_mgr != nullptr)
		midi_mgr->process_pre();
	const float **in = const_cast<const float **>(inputs);
	if (MIX)
		dsp->do_process_mix(outputs, in, frames, false);
	else
		dsp->do_process_replacing(outputs, in, frames, false);
	if (midi_mgr != nullptr)
		midi_mgr->finish_block();
}

void Vst2Plugin::processReplacing(float **inputs, float **outputs, vst2::int32 frames)
{
	process_block<false>(inputs, outputs, frames);
}

void Vst2Plugin::process(float **inputs, float **outputs, vst2::int32 frames)
{
	process_block<true>(inputs, outputs, frames);
}

vst2::int32 Vst2Plugin::processEvents(vst2::VstEvents *events)
{
	if (midi_mgr == nullptr || events == nullptr)
		return 1;
	Vst2MidiIn &port = vst_dev_comp->use_vst_in();
	if (!port.is_active())
		return 1;
	// Decoded at once, on this (the audio) thread; the engine takes the
	// changes at its next tick. The pointer array runs past the record's
	// declared two entries.
	vst2::VstEvent *const *list = vst2::event_slots(events);
	for (vst2::int32 i = 0; i < events->numEvents; ++i)
	{
		const vst2::VstEvent *e = list[i];
		if (e != nullptr && e->type == vst2::kVstMidiType)
			port.process_midi_event(*reinterpret_cast<const vst2::VstMidiEvent *>(e));
	}
	return 1;
}

// --- Identity ---

vst2::int32 Vst2Plugin::canDo(char *text)
{
	static const char *const midi_texts[] = {"sendVstMidiEvent", "sendVstEvents", "receiveVstMidiEvent", "receiveVstEvents"};
	for (const char *t : midi_texts)
		if (std::strcmp(text, t) == 0)
			return midi_mgr != nullptr ? 1 : -1;
	if (std::strcmp(text, "receiveVstTimeInfo") == 0)
		return 1;
	return 0;
}

vst2::int32 Vst2Plugin::getPlugCategory()
{
	const std::string cat = dsp->get_string_property("plugin_category");
	if (cat.empty() || equal_no_case(cat, "effect") || equal_no_case(cat, "hybrid"))
		return vst2::kPlugCategEffect;
	if (equal_no_case(cat, "instrument"))
		return vst2::kPlugCategSynth;
	if (equal_no_case(cat, "analyser"))
		return vst2::kPlugCategAnalysis;
	return vst2::kPlugCategUnknown;
}

bool Vst2Plugin::getEffectName(char *text)
{
	basic::strncpy_0(text, dsp->get_string_property("plugin_name").c_str(), 31);
	return true;
}

bool Vst2Plugin::getVendorString(char *text)
{
	basic::strncpy_0(text, "Dravimor", 64);
	return true;
}

bool Vst2Plugin::getProductString(char *text)
{
	const std::string s = basic::c_format("Dravimor %s %.2lf", dsp->get_string_property("plugin_name").c_str(), dsp->get_property("plugin_version"));
	basic::strncpy_0(text, s.c_str(), 64);
	return true;
}

vst2::int32 Vst2Plugin::getVendorVersion()
{
	const double v = dsp->get_property("plugin_version");
	const double major = std::floor(v);
	const double d = (v - major) * 10;
	const double minor = std::floor(d);
	const double sub = std::floor((d - minor) * 10);
	return static_cast<vst2::int32>(major * 256 + minor * 16 + sub);
}

bool Vst2Plugin::getInputProperties(vst2::int32 index, vst2::VstPinProperties *props)
{
	return describe_pin(index, in_index, [this](int pin) -> const PinProperty & { return dsp->get_input_pin_prop(pin); }, props);
}

bool Vst2Plugin::getOutputProperties(vst2::int32 index, vst2::VstPinProperties *props)
{
	return describe_pin(index, out_index, [this](int pin) -> const PinProperty & { return dsp->get_output_pin_prop(pin); }, props);
}

} // namespace plegg
