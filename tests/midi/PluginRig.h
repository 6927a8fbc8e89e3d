// The plug-in assembled in the test process as its entry point does it
// (engine, host services, host binding with MIDI), with a bank of eight
// programs made here; the host is HostLog.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "effect/VorluneDsp.h"
#include "host/HostDspVst2BeOS.h"
#include "host/Vst2BeOSPlugin.h"
#include "plegg/BankManager.h"
#include "plegg/MidiDevSelCompInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiMgr.h"
#include "plegg/PersistentMidiSettings.h"
#include "tests/midi/HostLog.h"
#include "vst2/aeffect.h"

namespace miditest
{

class PluginRig
{
public:
	static constexpr int NBR_PARAM = 8;

	// extra: a device-selection component registered after the host's.
	// host: the callback (HostLog's by default).
	explicit PluginRig(plegg::MidiDevSelCompInterface *extra = nullptr, vst2::audioMasterCallback host = &HostLog::callback)
	{
		plegg::PersistentMidiSettings::set_default_compatibility(plegg::PersistentMidiSettings::NrpnCompatibility_OLD);
		auto dsp = std::make_unique<VorluneDsp>();
		auto host_dsp = std::make_unique<plegg::HostDspVst2BeOS>();
		plegg::BankManager bank(8);
		for (int p = 0; p < bank.get_nbr_prog(); ++p)
		{
			bank[p].set_nbr_param(NBR_PARAM);
			bank[p].set_name("Prog " + std::to_string(p));
			for (int i = 0; i < NBR_PARAM; ++i)
				bank[p].set_parameter(i, static_cast<float>((p * 8 + i) % 17) / 16.0f);
		}
		VorluneDsp *dsp_ptr = dsp.get();
		plegg::HostDspVst2BeOS *host_dsp_ptr = host_dsp.get();
		plegg::MidiReceiverInterface *rcv = dsp.get();
		plugin = std::make_unique<plegg::Vst2BeOSPlugin>(host, dsp.release(), nullptr, rcv, bank, 0x4B76746E);
		plugin->adopt_dsp_host(std::move(host_dsp));
		host_dsp_ptr->set_plugin(*plugin);
		dsp_ptr->set_host(*host_dsp_ptr);
		if (extra != nullptr)
			plugin->use_midi_dev_sel()->register_dev_list(*extra);
		plugin->init();
		plugin->set_default_state();
		HostLog::get().clear();
	}

	plegg::Vst2BeOSPlugin &fx() { return *plugin; }
	plegg::MidiMgr &mgr() { return *plugin->use_midi_interface(); }
	plegg::MidiDevSelDispatcher &sel() { return *plugin->use_midi_dev_sel(); }
	float param(int i) { return plugin->getParameter(i); }

	void process(int frames = 256)
	{
		in_l.assign(static_cast<std::size_t>(frames), 0.25f);
		in_r.assign(static_cast<std::size_t>(frames), -0.25f);
		out_l.assign(static_cast<std::size_t>(frames), 0.0f);
		out_r.assign(static_cast<std::size_t>(frames), 0.0f);
		float *in[2] = {in_l.data(), in_r.data()};
		float *out[2] = {out_l.data(), out_r.data()};
		plugin->processReplacing(in, out, frames);
	}
	void send(EventList &list) { plugin->processEvents(list.get()); }

	std::vector<float> in_l, in_r, out_l, out_r;

private:
	std::unique_ptr<plegg::Vst2BeOSPlugin> plugin;
};

} // namespace miditest
