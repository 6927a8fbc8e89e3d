#include "tools/plughost/HostContext.h"

#include "tools/plughost/RtMonitor.h"

#include <cmath>
#include <cstddef>
#include <algorithm>
#include <cstring>

namespace plughost
{

namespace
{

// Lock-free map from effect records to contexts. Plug-ins may call back from
// any thread, the audio thread included, so no mutex here.
constexpr int kRegistrySize = 1024;
std::atomic<vst2::AEffect *> g_keys[kRegistrySize];
std::atomic<HostContext *> g_values[kRegistrySize];

HostContext *find_context(vst2::AEffect *effect)
{
	if (effect == nullptr)
	{
		return nullptr;
	}
	for (int i = 0; i < kRegistrySize; ++i)
	{
		if (g_keys[i].load(std::memory_order_acquire) == effect)
		{
			HostContext *ctx = g_values[i].load(std::memory_order_acquire);
			if (ctx != nullptr)
			{
				return ctx;
			}
		}
	}
	return nullptr;
}

void register_context(vst2::AEffect *effect, HostContext *ctx)
{
	for (int i = 0; i < kRegistrySize; ++i)
	{
		vst2::AEffect *expected = nullptr;
		if (g_keys[i].compare_exchange_strong(expected, effect, std::memory_order_acq_rel))
		{
			g_values[i].store(ctx, std::memory_order_release);
			return;
		}
	}
}

void unregister_context(vst2::AEffect *effect)
{
	for (int i = 0; i < kRegistrySize; ++i)
	{
		vst2::AEffect *expected = effect;
		if (g_keys[i].load(std::memory_order_acquire) == effect)
		{
			g_values[i].store(nullptr, std::memory_order_release);
			g_keys[i].compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
			return;
		}
	}
}

thread_local HostContext *t_entry_context = nullptr;

HostContext &default_context()
{
	static HostContext ctx;
	return ctx;
}

// Copies text into a host-answer buffer of the given size, terminated.
void copy_text(void *ptr, const char *text, std::size_t size)
{
	if (ptr == nullptr)
	{
		return;
	}
	const std::size_t n = std::min(std::strlen(text), size - 1);
	std::memcpy(ptr, text, n);
	static_cast<char *>(ptr)[n] = '\0';
}

} // namespace

HostContext::HostContext()
: _automation(new AutomationRecord[kAutomationCapacity])
, _midi_out(new MidiOutRecord[kMidiOutCapacity])
{
	set_transport(0, false, 0);
}

vst2::intptr HostContext::callback(vst2::AEffect *effect, vst2::int32 opcode, vst2::int32 index,
                                   vst2::intptr value, void *ptr, float opt)
{
	HostContext *ctx = find_context(effect);
	if (ctx == nullptr)
	{
		ctx = t_entry_context != nullptr ? t_entry_context : &default_context();
	}
	return ctx->answer(effect, opcode, index, value, ptr, opt);
}

void HostContext::attach(vst2::AEffect *effect)
{
	detach();
	_effect = effect;
	register_context(effect, this);
}

void HostContext::detach()
{
	if (_effect != nullptr)
	{
		unregister_context(_effect);
		_effect = nullptr;
	}
}

void HostContext::begin_entry()
{
	_in_entry = true;
	_nbr_entry_calls = 0;
	t_entry_context = this;
}

void HostContext::end_entry()
{
	_in_entry = false;
	t_entry_context = nullptr;
}

void HostContext::set_transport(std::int64_t sample_pos, bool playing, std::int64_t block_index)
{
	using namespace vst2;
	const double sr = sample_rate > 0 ? sample_rate : 44100.0;
	const double seconds = double(sample_pos) / sr;
	const double ppq = seconds * tempo / 60.0;
	const double quarters_per_bar = double(time_sig_num) * 4.0 / double(time_sig_den);
	_time = VstTimeInfo{};
	_time.samplePos = double(sample_pos);
	_time.sampleRate = sr;
	_time.nanoSeconds = seconds * 1e9;
	_time.ppqPos = ppq;
	_time.tempo = tempo;
	_time.barStartPos = std::floor(ppq / quarters_per_bar) * quarters_per_bar;
	_time.timeSigNumerator = time_sig_num;
	_time.timeSigDenominator = time_sig_den;
	_time.flags = kVstNanosValid | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
	if (playing)
	{
		_time.flags |= kVstTransportPlaying;
		if (_first_block)
		{
			_time.flags |= kVstTransportChanged;
			_first_block = false;
		}
	}
	_block_index = block_index;
}

std::size_t HostContext::nbr_automation() const
{
	return std::min(_nbr_automation.load(), kAutomationCapacity);
}

std::size_t HostContext::nbr_midi_out() const
{
	return std::min(_nbr_midi_out.load(), kMidiOutCapacity);
}

vst2::intptr HostContext::host_can_do(const char *text)
{
	if (text == nullptr)
	{
		return 0;
	}
	static const char *const yes[] = {
		"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
		"receiveVstMidiEvent", "startStopProcess",
	};
	for (const char *y : yes)
	{
		if (std::strcmp(text, y) == 0)
		{
			return 1;
		}
	}
	return 0;
}

void HostContext::record_events(const vst2::VstEvents *ev)
{
	if (ev == nullptr || !record_midi_out)
	{
		return;
	}
	const int n = ev->numEvents;
	// The pointer array is declared with 2 entries and allocated longer.
	const auto *const *slots = vst2::event_slots(ev);
	for (int i = 0; i < n; ++i)
	{
		const vst2::VstEvent *e = slots[i];
		if (e == nullptr || e->type != vst2::kVstMidiType)
		{
			continue;
		}
		const auto *m = reinterpret_cast<const vst2::VstMidiEvent *>(e);
		const std::size_t pos = _nbr_midi_out.fetch_add(1);
		if (pos >= kMidiOutCapacity)
		{
			_midi_out_dropped.fetch_add(1);
			continue;
		}
		MidiOutRecord &r = _midi_out[pos];
		r.block = _block_index;
		r.offset = m->deltaFrames;
		const unsigned char status = static_cast<unsigned char>(m->midiData[0]);
		r.nbr_bytes = (status >= 0xC0 && status < 0xE0) || status == 0xF1 || status == 0xF3 ? 2
		            : status >= 0xF4 ? 1
		                             : 3;
		std::memcpy(r.bytes, m->midiData, 4);
	}
}

vst2::intptr HostContext::answer(vst2::AEffect *effect, vst2::int32 opcode, vst2::int32 index,
                                 vst2::intptr value, void *ptr, float opt)
{
	using namespace vst2;
	if (_in_entry && t_entry_context == this && _nbr_entry_calls < kMaxEntryCalls)
	{
		_entry_calls[_nbr_entry_calls++] = opcode;
	}
	switch (opcode)
	{
	case audioMasterAutomate:
		if (record_automation)
		{
			const std::size_t pos = _nbr_automation.fetch_add(1);
			if (pos < kAutomationCapacity)
			{
				_automation[pos] = AutomationRecord{std::int64_t(_time.samplePos), index, opt};
			}
		}
		return 0;
	case audioMasterVersion: return version_answer;
	case audioMasterCurrentId: return 0;
	case audioMasterIdle: return 0;
	case audioMasterPinConnected:
		// 0 means connected, as every Linux host answers.
		if (index < 0)
		{
			return 1;
		}
		return value == 0 ? (index < connected_inputs ? 0 : 1) : (index < connected_outputs ? 0 : 1);
	case audioMasterWantMidi: return 0;
	case audioMasterGetTime: return reinterpret_cast<intptr>(&_time);
	case audioMasterProcessEvents: record_events(static_cast<const VstEvents *>(ptr)); return 1;
	case audioMasterTempoAt: return intptr(tempo * 10000.0);
	case audioMasterGetNumAutomatableParameters: return effect != nullptr ? effect->numParams : 0;
	case audioMasterGetParameterQuantization: return 1;
	case audioMasterIOChanged: return 0;
	case audioMasterNeedIdle: return 0;
	case audioMasterSizeWindow: return 0;
	case audioMasterGetSampleRate: return intptr(sample_rate);
	case audioMasterGetBlockSize: return block_size;
	case audioMasterGetInputLatency:
	case audioMasterGetOutputLatency: return 0;
	case audioMasterWillReplaceOrAccumulate: return form == ProcessForm::Replacing ? 1 : 2;
	case audioMasterGetCurrentProcessLevel: return rt_in_scope() ? audio_process_level : 1;
	case audioMasterGetAutomationState: return record_automation ? 3 : 1;
	case audioMasterGetVendorString: copy_text(ptr, "Dravimor", 64); return 1;
	case audioMasterGetProductString: copy_text(ptr, "plughost", 64); return 1;
	case audioMasterGetVendorVersion: return 131;
	case audioMasterCanDo: return host_can_do(static_cast<const char *>(ptr));
	case audioMasterGetLanguage: return 1; // English
	case audioMasterGetDirectory: return 0;
	case audioMasterUpdateDisplay: return 1;
	case audioMasterBeginEdit:
	case audioMasterEndEdit: return 1;
	default: return 0;
	}
}

} // namespace plughost
