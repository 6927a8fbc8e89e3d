// Fuzzes the plug-in's MIDI side as a host drives it: the input is a script
// of five-byte records, each either a MIDI event added to the next event
// list, an audio block (which hands the list to processEvents first), an
// editor write, a program change, arming or disarming learning, or a
// setting-file round trip of the bindings. The first byte chooses the NRPN
// byte order and the parameter armed for learning.
//
// The per-user preferences go to a private temporary folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "basic/ConfKeyMulti.h"
#include "effect/VorluneDsp.h"
#include "host/HostDspVst2BeOS.h"
#include "host/Vst2BeOSPlugin.h"
#include "plegg/BankManager.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"
#include "plegg/PersistentMidiSettings.h"
#include "vst2/aeffect.h"

namespace
{

constexpr int NBR_PARAM = 8;
constexpr std::size_t RECORD = 5;

vst2::intptr host(vst2::AEffect *, vst2::int32 op, vst2::int32, vst2::intptr, void *ptr, float)
{
	if (op == vst2::audioMasterVersion)
		return 2400;
	if (op == vst2::audioMasterProcessEvents)
	{
		// Read every event the plug-in hands over, as a host would.
		const auto *ev = static_cast<const vst2::VstEvents *>(ptr);
		const auto *const *list = vst2::event_slots(ev);
		unsigned sum = 0;
		for (int i = 0; i < ev->numEvents; ++i)
			sum += static_cast<unsigned char>(reinterpret_cast<const vst2::VstMidiEvent *>(list[i])->midiData[0]);
		return sum != 0xFFFFFFFFu ? 1 : 0;
	}
	return 0;
}

std::unique_ptr<plegg::Vst2BeOSPlugin> make_plugin(bool standard)
{
	plegg::PersistentMidiSettings::set_default_compatibility(standard ? plegg::PersistentMidiSettings::NrpnCompatibility_STANDARD : plegg::PersistentMidiSettings::NrpnCompatibility_OLD);
	auto dsp = std::make_unique<VorluneDsp>();
	auto host_dsp = std::make_unique<plegg::HostDspVst2BeOS>();
	plegg::BankManager bank(8);
	for (int p = 0; p < bank.get_nbr_prog(); ++p)
	{
		bank[p].set_nbr_param(NBR_PARAM);
		for (int i = 0; i < NBR_PARAM; ++i)
			bank[p].set_parameter(i, static_cast<float>((p + i) % 5) / 4.0f);
	}
	VorluneDsp *dsp_ptr = dsp.get();
	plegg::HostDspVst2BeOS *host_dsp_ptr = host_dsp.get();
	plegg::MidiReceiverInterface *rcv = dsp.get();
	auto plugin = std::make_unique<plegg::Vst2BeOSPlugin>(&host, dsp.release(), nullptr, rcv, bank, 0x4B76746E);
	plugin->adopt_dsp_host(std::move(host_dsp));
	host_dsp_ptr->set_plugin(*plugin);
	dsp_ptr->set_host(*host_dsp_ptr);
	plugin->init();
	plugin->set_default_state();
	plugin->setSampleRate(44100);
	plugin->resume();
	return plugin;
}

class EventList
{
public:
	void add(const std::uint8_t *r)
	{
		if (events.size() >= 4096)
			return;
		vst2::VstMidiEvent e{};
		e.type = (r[0] & 0x80) != 0 ? vst2::kVstSysExType : vst2::kVstMidiType;
		e.byteSize = sizeof(e);
		e.deltaFrames = r[4];
		e.midiData[0] = static_cast<char>(r[1]);
		e.midiData[1] = static_cast<char>(r[2]);
		e.midiData[2] = static_cast<char>(r[3]);
		e.detune = static_cast<signed char>(r[4]);
		events.push_back(e);
	}
	vst2::VstEvents *get()
	{
		storage.assign(vst2::vst_events_size(events.size()) / 8 + 2, 0);
		auto *ev = reinterpret_cast<vst2::VstEvents *>(storage.data());
		ev->numEvents = static_cast<vst2::int32>(events.size());
		auto **list = vst2::event_slots(ev);
		for (std::size_t i = 0; i < events.size(); ++i)
			list[i] = reinterpret_cast<vst2::VstEvent *>(&events[i]);
		return ev;
	}
	void clear() { events.clear(); }

private:
	std::vector<vst2::VstMidiEvent> events;
	std::vector<std::uint64_t> storage;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	char tmpl[] = "/tmp/brastoke-fuzz-midi-XXXXXX";
	if (mkdtemp(tmpl) != nullptr)
		setenv("XDG_CONFIG_HOME", tmpl, 1);
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	if (size < 1)
		return 0;
	auto plugin = make_plugin((data[0] & 1) != 0);
	plegg::MidiMgr &mgr = *plugin->use_midi_interface();
	if ((data[0] & 2) != 0)
		mgr.set_autobind_param((data[0] >> 2) % (NBR_PARAM + 2));

	std::vector<float> in_l(512, 0.25f), in_r(512, -0.25f), out_l(512), out_r(512);
	float *in[2] = {in_l.data(), in_r.data()};
	float *out[2] = {out_l.data(), out_r.data()};
	EventList list;
	for (std::size_t pos = 1; pos + RECORD <= size; pos += RECORD)
	{
		const std::uint8_t *r = data + pos;
		switch (r[0] & 7)
		{
		case 0:
		case 1:
		case 2:
			list.add(r);
			break;
		case 3:
			plugin->processEvents(list.get());
			list.clear();
			plugin->processReplacing(in, out, 1 + ((r[1] << 8 | r[2]) % 512));
			break;
		case 4:
			plugin->set_param_pi_and_host(r[1] % (NBR_PARAM + 1), static_cast<float>(r[2]) / 255.0f, r[3]);
			break;
		case 5:
			plugin->setProgram(r[1] % 9);
			break;
		case 6:
			if ((r[1] & 1) != 0)
				mgr.set_autobind_param(r[2] % (NBR_PARAM + 2));
			else
				mgr.clear_cur_autobind();
			break;
		default:
		{
			basic::ConfKeyMulti root("root");
			mgr.save_settings(root);
			mgr.set_default_nrpn_mapping();
			mgr.load_settings(root);
			plugin->use_midi_dev_sel()->select_dev_out(r[1] % 3 - 1);
			break;
		}
		}
	}
	plugin->processEvents(list.get());
	plugin->processReplacing(in, out, 64);
	plugin->processReplacing(in, out, 64);
	return 0;
}
