// The plug-in's entry point: checks the host, opens the resources of our own
// image, assembles one instance and hands the host its AEffect record.
// It calls only audioMasterVersion, prints nothing, starts no thread and
// never lets an exception out; the only file it may write is the per-user
// MIDI preference store, on first use, without waiting long on its lock.
#include <memory>

#include "effect/VorluneDsp.h"
#include "host/HostDspVst2BeOS.h"
#include "host/Vst2BeOSPlugin.h"
#include "plegg/BankManager.h"
#include "plegg/PersistentMidiSettings.h"
#include "sys/Resource.h"
#include "vst2/aeffect.h"

namespace
{

constexpr long UNIQUE_ID = 0x4B76746E; // "Kvtn"

vst2::AEffect *assemble(vst2::audioMasterCallback host)
{
	if (host == nullptr || host(nullptr, vst2::audioMasterVersion, 0, 0, nullptr, 0) == 0)
		return nullptr;
	plegg::BankManager bank;
	if (sys::set_res_file_from_own_image() != 0)
		return nullptr;
	// Instances of this product start from the old NRPN byte order until
	// the user's preference says otherwise.
	plegg::PersistentMidiSettings::set_default_compatibility(plegg::PersistentMidiSettings::NrpnCompatibility_OLD);

	auto dsp = std::make_unique<VorluneDsp>();
	auto host_dsp = std::make_unique<plegg::HostDspVst2BeOS>();
	if (plegg::Vst2Plugin::load_bank_from_rsc("static_presets", bank) != 0 || !plegg::Vst2Plugin::is_bank_acceptable(bank, dsp->get_nbr_param()))
		return nullptr;

	VorluneDsp *dsp_ptr = dsp.get();
	plegg::MidiReceiverInterface *midi_receiver = dsp.get();
	plegg::HostDspVst2BeOS *host_dsp_ptr = host_dsp.get();
	// The host binding owns the engine (and its host services) from here on.
	auto plugin = std::make_unique<plegg::Vst2BeOSPlugin>(host, dsp.release(), nullptr, midi_receiver, bank, UNIQUE_ID);
	plugin->adopt_dsp_host(std::move(host_dsp));
	host_dsp_ptr->set_plugin(*plugin);
	dsp_ptr->set_host(*host_dsp_ptr);
	plugin->set_rel_plugin_dir("Dravimor/Brastoke VST2");
	plugin->init();
	plugin->set_default_state();
	return plugin.release()->getAeffect();
}

} // namespace

extern "C" __attribute__((visibility("default"))) vst2::AEffect *main_plugin(vst2::audioMasterCallback host)
{
	try
	{
		return assemble(host);
	}
	catch (...)
	{
		return nullptr;
	}
}

// The names Linux hosts look up, for the same function.
extern "C" __attribute__((visibility("default"), alias("main_plugin"))) vst2::AEffect *VSTPluginMain(vst2::audioMasterCallback host);
extern "C" __attribute__((visibility("default"))) vst2::AEffect *main_plugin_main(vst2::audioMasterCallback host) __asm__("main");
extern "C" __attribute__((visibility("default"), alias("main_plugin"))) vst2::AEffect *main_plugin_main(vst2::audioMasterCallback host);
