#include "host/Vst2Plugin.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <strings.h>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"
#include "basic/BigEndian.h"
#include "host/Vst2MidiDevSelComp.h"
#include "plegg/DspInterface.h"
#include "plegg/GuiInterface.h"
#include "plegg/HostDspInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/PinProperty.h"
#include "plegg/TimeInfo.h"
#include "plegg/YurkFileOp.h"
#include "sys/Resource.h"
#include "sys/TimeStamp.h"

namespace plegg
{

namespace
{

constexpr long TEXT_LIMIT = 23;

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

void Vst2Plugin::compute_channel_mapping()
{
	int idx = 0;
	for (int pin = 0; pin < dsp->get_nbr_in_pin(); ++pin)
	{
		StereoIndex si;
		const int n = dsp->get_input_pin_prop(pin).get_nbr_chn();
		for (int c = 0; c < n; ++c)
		{
			if (c < 2)
				si.chn[c] = idx;
			++idx;
		}
		in_index.push_back(si);
	}
	nbr_in_chn = idx;
	idx = 0;
	for (int pin = 0; pin < dsp->get_nbr_out_pin(); ++pin)
	{
		StereoIndex si;
		const int n = dsp->get_output_pin_prop(pin).get_nbr_chn();
		for (int c = 0; c < n; ++c)
		{
			if (c < 2)
				si.chn[c] = idx;
			++idx;
		}
		out_index.push_back(si);
	}
	nbr_out_chn = idx;
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

// --- Parameters ---

float Vst2Plugin::getParameter(vst2::int32 index)
{
	if (!check_param_index(index))
		return 0;
	return dsp->get_param_ref(index).get_norm();
}

void Vst2Plugin::setParameter(vst2::int32 index, float value)
{
	if (!check_param_index(index) || std::isnan(value))
		return;
	set_param_pi(index, sanitize_norm(value), PRIO_HOST_PARAM);
}

void Vst2Plugin::getParameterName(vst2::int32 index, char *text)
{
	if (check_param_index(index))
		dsp->get_param_ref(index).get_name(text, TEXT_LIMIT);
}

void Vst2Plugin::getParameterLabel(vst2::int32 index, char *text)
{
	if (check_param_index(index))
		dsp->get_param_ref(index).get_unit(text, TEXT_LIMIT);
}

void Vst2Plugin::getParameterDisplay(vst2::int32 index, char *text)
{
	if (!check_param_index(index))
		return;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	p.do_print_val(text, TEXT_LIMIT, p.get_val());
}

bool Vst2Plugin::string2parameter(vst2::int32 index, char *text)
{
	if (text == nullptr)
		return true;
	if (!check_param_index(index))
		return false;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	bool ok = false;
	const double v = p.do_scan_val(text, ok);
	if (!ok || !std::isfinite(v))
		return false;
	const float n = p.normalize_val(v);
	if (std::isnan(n))
		return false;
	setParameter(index, n);
	return true;
}

bool Vst2Plugin::canParameterBeAutomated(vst2::int32 index)
{
	if (!check_param_index(index))
		return true;
	return dsp->get_param_ref(index).get_automation_priority() <= automation_limit;
}

bool Vst2Plugin::getParameterProperties(vst2::int32 index, vst2::VstParameterProperties *props)
{
	if (!check_param_index(index))
		return false;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	props->stepFloat = 0;
	props->smallStepFloat = 0;
	props->largeStepFloat = 0;
	props->flags = 0;
	props->minInteger = 0;
	props->maxInteger = 0;
	props->stepInteger = 0;
	props->largeStepInteger = 0;
	std::memset(props->label, 0, sizeof(props->label));
	p.get_name(props->label, sizeof(props->label));
	std::memset(props->shortLabel, 0, sizeof(props->shortLabel));
	basic::strncpy_0(props->shortLabel, props->label, 8);
	// The reserved bytes at the end are left alone: some hosts declare the
	// record 4 bytes shorter, and writing them would run past their copy.
	if (p.get_range_type() == 1)
	{
		int lo = static_cast<int>(std::floor(p.denormalize_val(0) + 0.5));
		int hi = static_cast<int>(std::floor(p.denormalize_val(1) + 0.5));
		if (lo > hi)
			std::swap(lo, hi);
		if (hi - lo == 1)
			props->flags = vst2::kVstParameterIsSwitch;
		else
		{
			props->minInteger = lo;
			props->maxInteger = hi;
			props->flags = vst2::kVstParameterUsesIntegerMinMax;
		}
	}
	else
		props->flags = vst2::kVstParameterCanRamp;
	return true;
}

void Vst2Plugin::compute_automation_limit()
{
	const int n = getNumAutomatableParameters();
	if (n <= 0)
		return;
	std::vector<std::pair<int, int>> groups; // (group, count), ascending
	for (int i = 0; i < nbr_param; ++i)
	{
		const int g = dsp->get_param_ref(i).get_automation_priority();
		auto it = groups.begin();
		while (it != groups.end() && it->first < g)
			++it;
		if (it != groups.end() && it->first == g)
			++it->second;
		else
			groups.insert(it, {g, 1});
	}
	int sum = 0;
	for (const auto &[group, count] : groups)
	{
		sum += count;
		if (sum > n)
			break;
		automation_limit = group;
	}
}

// --- Programs ---

void Vst2Plugin::setProgram(vst2::int32 index)
{
	if (index < 0 || index >= bank.get_nbr_prog())
		return;
	curProgram.store(index, std::memory_order_relaxed);
	set_program_pi_and_host(bank[index], PRIO_HOST_PROGRAM, true, false);
}

void Vst2Plugin::setProgramName(char *name)
{
	std::lock_guard<std::mutex> lock(mutex);
	bank[getProgram()].set_name(name);
	dsp->set_program_name(name);
}

void Vst2Plugin::getProgramName(char *text)
{
	std::lock_guard<std::mutex> lock(mutex);
	basic::strncpy_0(text, bank[getProgram()].get_name().c_str(), TEXT_LIMIT);
}

bool Vst2Plugin::getProgramNameIndexed(vst2::int32 category, vst2::int32 index, char *text)
{
	(void)category;
	if (index < 0 || index >= bank.get_nbr_prog())
		return false;
	std::lock_guard<std::mutex> lock(mutex);
	basic::strncpy_0(text, bank[index].get_name().c_str(), 64);
	return true;
}

bool Vst2Plugin::copyProgram(vst2::int32 destination)
{
	if (destination < 0 || destination >= bank.get_nbr_prog())
		return false;
	std::lock_guard<std::mutex> lock(mutex);
	const int cur = getProgram();
	if (destination != cur)
		bank[destination] = bank[cur];
	return true;
}

void Vst2Plugin::set_program_pi_and_host(const ProgramSlot &slot, int priority, bool release, bool notify_host)
{
	const double now = sys::get_time_stamp();
	const int cur = getProgram();
	ProgramSlot &target = bank[cur];
	{
		std::lock_guard<std::mutex> lock(mutex);
		if (&slot != &target)
		{
			// The bank's structure never changes: copy what fits, value by value.
			if (slot.has_same_structure(target))
				target = slot;
			else
			{
				const int n = std::min(slot.get_nbr_param(), target.get_nbr_param());
				for (int i = 0; i < n; ++i)
					target.set_parameter(i, sanitize_norm(slot.get_parameter(i)));
				target.set_name(slot.get_name());
			}
		}
		dsp->set_program_name(target.get_name());
	}
	dsp->do_set_program(target);
	const int nbr = std::min(target.get_nbr_param(), nbr_param);
	for (int i = 0; i < nbr; ++i)
	{
		if (!prio_list.get(i, now, priority))
			continue;
		const float v = target.get_parameter(i);
		if (gui != nullptr)
			gui->set_param(i, v, priority);
		if (midi_mgr != nullptr)
			midi_mgr->param_to_midi_out(0, i, v);
		if (notify_host)
			call_host(vst2::audioMasterAutomate, i, 0, nullptr, v);
		if (release)
			prio_list.release(i, priority);
	}
	updateDisplay();
}

// --- Chunks ---

vst2::int32 Vst2Plugin::getChunk(void **data, bool is_preset)
{
	std::lock_guard<std::mutex> lock(mutex);
	const long size = is_preset ? bank[getProgram()].get_object_size() : bank.get_object_size();
	if (size < 1 || size > 0x7FFFFFFF)
		return 0;
	std::vector<unsigned char> &buf = is_preset ? prog_chunk : bank_chunk;
	// A new zero-filled buffer each time: no stale bytes reach session files,
	// and the previous one stays valid until now, as hosts expect.
	std::vector<unsigned char> fresh(static_cast<std::size_t>(size), 0);
	const int status = is_preset ? bank[getProgram()].write_to_memory(fresh.data()) : bank.write_to_memory(fresh.data());
	if (status != 0)
		return 0;
	buf.swap(fresh);
	*data = buf.data();
	return static_cast<vst2::int32>(size);
}

namespace
{

// A program image keeps the structure of the program it replaces: the same
// counts, the name field as written, finite values.
bool is_slot_image_acceptable(const ProgramSlot &img, const ProgramSlot &cur, const unsigned char *raw)
{
	if (!img.has_same_structure(cur))
		return false;
	if (raw[4] != 0 || raw[5] != ProgramSlot::NAME_FIELD_LEN)
		return false;
	for (int i = 0; i < img.get_nbr_param(); ++i)
		if (!std::isfinite(img.get_parameter(i)))
			return false;
	return true;
}

} // namespace

vst2::int32 Vst2Plugin::setChunk(void *data, vst2::int32 size, bool is_preset)
{
	if (data == nullptr || size <= 0)
		return 0;
	const auto *bytes = static_cast<const unsigned char *>(data);
	std::lock_guard<std::mutex> lock(mutex);
	if (is_preset)
	{
		ProgramSlot &cur = bank[getProgram()];
		if (size != cur.get_object_size())
			return 0;
		ProgramSlot img;
		if (img.read_from_memory(bytes, size) != 0 || !is_slot_image_acceptable(img, cur, bytes))
			return 0;
		for (int i = 0; i < img.get_nbr_param(); ++i)
			img.set_parameter(i, sanitize_norm(img.get_parameter(i)));
		cur = img;
		return 1;
	}
	if (size != bank.get_object_size())
		return 0;
	BankManager img;
	if (img.read_from_memory(bytes, size) != 0 || !img.has_same_structure(bank))
		return 0;
	const long stride = bank[0].get_object_size();
	if (static_cast<long>(basic::read_be32(bytes + 4)) != stride)
		return 0;
	for (int p = 0; p < img.get_nbr_prog(); ++p)
		if (!is_slot_image_acceptable(img[p], bank[p], bytes + 8 + p * stride))
			return 0;
	for (int p = 0; p < img.get_nbr_prog(); ++p)
	{
		for (int i = 0; i < img[p].get_nbr_param(); ++i)
			img[p].set_parameter(i, sanitize_norm(img[p].get_parameter(i)));
		bank[p] = img[p];
	}
	return 1;
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
	{
		midi_mgr->reset_time_stamp(0);
		midi_mgr->do_set_time_stamp(0);
		midi_mgr->process_post();
	}
	hand_over.end_process();
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
	vst2::VstEvent *const *list = reinterpret_cast<vst2::VstEvent *const *>(reinterpret_cast<const unsigned char *>(events) + offsetof(vst2::VstEvents, events));
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
	for (int pin = 0; pin < static_cast<int>(in_index.size()); ++pin)
		for (int c = 0; c < 2; ++c)
			if (in_index[pin].chn[c] == index)
			{
				const PinProperty &pp = dsp->get_input_pin_prop(pin);
				basic::strncpy_0(props->label, pp.get_chn_name(c).c_str(), 63);
				props->flags = vst2::kVstPinIsActive | (pp.get_nbr_chn() == 2 ? vst2::kVstPinIsStereo : 0);
				return true;
			}
	return false;
}

bool Vst2Plugin::getOutputProperties(vst2::int32 index, vst2::VstPinProperties *props)
{
	for (int pin = 0; pin < static_cast<int>(out_index.size()); ++pin)
		for (int c = 0; c < 2; ++c)
			if (out_index[pin].chn[c] == index)
			{
				const PinProperty &pp = dsp->get_output_pin_prop(pin);
				basic::strncpy_0(props->label, pp.get_chn_name(c).c_str(), 63);
				props->flags = vst2::kVstPinIsActive | (pp.get_nbr_chn() == 2 ? vst2::kVstPinIsStereo : 0);
				return true;
			}
	return false;
}

// --- Commands of the editor and the MIDI manager ---

bool Vst2Plugin::is_param_free(int index, int priority)
{
	return check_param_index(index) && prio_list.is_free(index, sys::get_time_stamp(), priority);
}

void Vst2Plugin::reserve_param(int index, int priority)
{
	if (check_param_index(index))
		prio_list.get(index, sys::get_time_stamp(), priority);
}

void Vst2Plugin::release_param(int index, int priority)
{
	if (check_param_index(index))
		prio_list.release(index, priority);
}

bool Vst2Plugin::set_param_pi(long index, float norm, int priority)
{
	if (!check_param_index(index) || std::isnan(norm))
		return false;
	norm = sanitize_norm(norm);
	const int i = static_cast<int>(index);
	if (!prio_list.get(i, sys::get_time_stamp(), priority))
		return false;
	bank[getProgram()].set_parameter(i, norm);
	dsp->get_param_ref(i).change_norm(norm);
	if (gui != nullptr)
		gui->set_param(i, norm, priority);
	return true;
}

bool Vst2Plugin::set_param_pi_and_host(long index, float norm, int priority)
{
	if (!set_param_pi(index, norm, priority))
		return false;
	if (midi_mgr != nullptr)
		midi_mgr->param_to_midi_out(0, static_cast<int>(index), sanitize_norm(norm));
	call_host(vst2::audioMasterAutomate, static_cast<vst2::int32>(index), 0, nullptr, sanitize_norm(norm));
	updateDisplay();
	return true;
}

// --- Files ---

std::string Vst2Plugin::get_plugin_dir()
{
	std::string dir = do_get_plugin_dir();
	if (!dir.empty() && !rel_plugin_dir.empty())
		dir += "/" + rel_plugin_dir;
	return dir;
}

void Vst2Plugin::set_rel_plugin_dir(const char *dir)
{
	rel_plugin_dir = dir != nullptr ? dir : "";
}

int Vst2Plugin::load_bank_from_rsc(const char *name, BankManager &bank)
{
	std::size_t size = 0;
	const void *data = sys::get_resource("YURK", name, size);
	if (data == nullptr)
		return YurkFileOp::ERR_NO_RESOURCE;
	return YurkFileOp::load_bank_mem(data, static_cast<long>(size), bank, false);
}

bool Vst2Plugin::is_bank_acceptable(const BankManager &bank, int nbr_param)
{
	if (bank.get_nbr_prog() < 1)
		return false;
	const long extra = bank[0].get_extra_byte_size();
	for (int p = 0; p < bank.get_nbr_prog(); ++p)
	{
		if (bank[p].get_nbr_param() != nbr_param || bank[p].get_extra_byte_size() != extra)
			return false;
		for (int i = 0; i < nbr_param; ++i)
		{
			const float v = bank[p].get_parameter(i);
			if (!std::isfinite(v) || v < 0 || v > 1)
				return false;
		}
	}
	return true;
}

} // namespace plegg
