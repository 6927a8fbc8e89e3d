// The engine's set-up side: construction, parameters, properties, sample
// rate, programs and the reset of its audio history.
#include "effect/VorluneDsp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "effect/ParamCutFreq.h"
#include "effect/ParamDistoGain.h"
#include "effect/ParamDistoRouting.h"
#include "effect/ParamHarmFactor.h"
#include "effect/ParamNbrBand.h"
#include "effect/ParamReso.h"
#include "plegg/HostDspInterface.h"
#include "plegg/MidiMgr.h"
#include "plegg/ProgramSlot.h"

namespace
{

// Defaults of the six engine parameters, in index order.
constexpr double DEFAULT_CUTOFF = 1000.0;
constexpr double DEFAULT_RESO = 1.0;
constexpr double DEFAULT_NBR_BAND = 1.0;
constexpr double DEFAULT_DISTO_GAIN = 1.0;
constexpr double DEFAULT_DISTO_ROUTING = ParamDistoRouting::ROUTING_POST;
constexpr double DEFAULT_HARM_FACTOR = 2.0;

constexpr int AUTOMATION_PRIORITY = 2;

} // namespace

VorluneDsp::VorluneDsp() : harm_buf_ptr{harm_buf[0], harm_buf[1]}, band_buf_ptr{band_buf[0], band_buf[1]}
{
	in_pin.set_name("Input");
	in_pin.set_chn_name(0, "Left input");
	in_pin.set_chn_name(1, "Right input");
	out_pin.set_name("Output");
	out_pin.set_chn_name(0, "Left output");
	out_pin.set_chn_name(1, "Right output");
}

VorluneDsp::~VorluneDsp() = default;

int VorluneDsp::init()
{
	if (init_flag)
		return 0;
	if (host != nullptr)
		host->init();

	auto cutoff = std::make_shared<ParamCutFreq>();
	auto reso = std::make_shared<ParamReso>();
	auto nbr_band = std::make_shared<ParamNbrBand>();
	auto disto_gain = std::make_shared<ParamDistoGain>();
	auto disto_routing = std::make_shared<ParamDistoRouting>();
	auto harm_factor = std::make_shared<ParamHarmFactor>();
	param_cutoff = cutoff.get();
	param_reso = reso.get();
	param_nbr_band = nbr_band.get();
	param_disto_gain = disto_gain.get();
	param_disto_routing = disto_routing.get();
	param_harm_factor = harm_factor.get();

	cutoff->init(DEFAULT_CUTOFF, AUTOMATION_PRIORITY);
	reso->init(DEFAULT_RESO, AUTOMATION_PRIORITY);
	nbr_band->init(DEFAULT_NBR_BAND, AUTOMATION_PRIORITY);
	disto_gain->init(DEFAULT_DISTO_GAIN, AUTOMATION_PRIORITY);
	disto_routing->init(DEFAULT_DISTO_ROUTING, AUTOMATION_PRIORITY);
	harm_factor->init(DEFAULT_HARM_FACTOR, AUTOMATION_PRIORITY);

	register_param(cutoff);
	register_param(reso);
	register_param(nbr_band);
	register_param(disto_gain);
	register_param(disto_routing);
	register_param(harm_factor);
	for (int i = 0; i < PARAM_BAND_DELAY; ++i)
		param_list[i]->notified = this;

	harm_lpf[0].type = dsp::Filter2p::TYPE_LOW_PASS;
	harm_lpf[1].type = dsp::Filter2p::TYPE_LOW_PASS;

	filter_stage.init(*this);

	plegg::MidiMgr *midi = (host != nullptr) ? host->use_midi_interface() : nullptr;
	if (midi != nullptr) {
		midi->set_persistent_midi_settings(get_string_property("plugin_name"));
		midi->set_default_nrpn_mapping();
		// Tempo LFOs follow the parameters on NRPN numbers of their own.
		const int nbr_lfo = (int)lfo_list.size();
		for (int k = 0; k < nbr_lfo; ++k)
			midi->associate_param(NBR_PARAM + k, plegg::MidiMgr::CTRL_TYPE_NRPN, NBR_PARAM + k);
	}

	init_flag = true;
	return 0;
}

void VorluneDsp::set_default_state()
{
	if (!init_flag)
		return;
	param_cutoff->change_val(DEFAULT_CUTOFF);
	param_reso->change_val(DEFAULT_RESO);
	param_nbr_band->change_val(DEFAULT_NBR_BAND);
	param_disto_gain->change_val(DEFAULT_DISTO_GAIN);
	param_disto_routing->change_val(DEFAULT_DISTO_ROUTING);
	param_harm_factor->change_val(DEFAULT_HARM_FACTOR);
	param_changed_flag.store(true, std::memory_order_release);
	filter_stage.set_default_state();
	clear_buffers();
}

plegg::NormalizedParamInterface &VorluneDsp::get_param_ref(int index) const
{
	return *param_list[index];
}

double VorluneDsp::get_property(const char *name) const
{
	if (name == nullptr)
		return 0.0;
	if (std::strcmp(name, "can_mono") == 0)
		return 1.0;
	if (std::strcmp(name, "can_scaled_val") == 0)
		return 0.0;
	if (std::strcmp(name, "plugin_version") == 0)
		return 1.31;
	return 0.0;
}

std::string VorluneDsp::get_string_property(const char *name) const
{
	if (name == nullptr)
		return std::string();
	if (std::strcmp(name, "plugin_name") == 0)
		return "Brastoke";
	if (std::strcmp(name, "plugin_category") == 0)
		return "effect";
	return std::string();
}

void VorluneDsp::set_sample_freq(float hz)
{
	if (!std::isfinite(hz) || hz <= 0.0f)
		return;
	sample_freq = hz;
	filter_stage.set_sample_freq(hz);
	// The low-pass is recomputed by the clear_buffers() that follows a rate
	// change.
	harm_lpf[0].sample_freq = hz;
	harm_lpf[1].sample_freq = hz;
	cutoff_inertia.set_sample_freq(hz);
	reso_inertia.set_sample_freq(hz);
	harm_factor_inertia.set_sample_freq(hz);
	disto_gain_inertia.set_sample_freq(hz);
}

void VorluneDsp::notify(plegg::NotifierInterface &)
{
	param_changed_flag.store(true, std::memory_order_release);
}

void VorluneDsp::do_get_program(plegg::ProgramSlot &slot)
{
	if (!init_flag)
		return;
	slot.set_nbr_param(NBR_PARAM);
	for (int i = 0; i < NBR_PARAM; ++i)
		slot.set_parameter(i, param_list[i]->get_norm());
}

void VorluneDsp::do_set_program(const plegg::ProgramSlot &slot)
{
	if (!init_flag)
		return;
	const int nbr = std::min(slot.get_nbr_param(), (int)NBR_PARAM);
	for (int i = 0; i < nbr; ++i) {
		float v = slot.get_parameter(i);
		if (std::isnan(v))
			continue;
		v = std::clamp(v, 0.0f, 1.0f);
		plegg::NormalizedParamInterface &param = *param_list[i];
		if (v != param.get_norm())
			param.change_norm(v);
	}
}

void VorluneDsp::update_harm_lpf()
{
	// Capped below half the rate: cutoffs up to 10240 Hz are possible at
	// rates where that would make the low-pass diverge.
	const float cutoff = (float)cutoff_inertia.val_cur;
	const float cap = (float)(0.475 * (double)sample_freq);
	harm_lpf[0].freq = std::min(cutoff, cap);
	harm_lpf[0].reso = (float)reso_inertia.val_cur;
	harm_lpf[0].update_eq();
	harm_lpf[1].copy_settings(harm_lpf[0]);
}

void VorluneDsp::clear_buffers()
{
	if (!init_flag)
		return;
	param_changed_flag.store(false, std::memory_order_relaxed);

	cutoff_inertia.set_val((float)param_cutoff->get_val());
	reso_inertia.set_val((float)param_reso->get_val());
	harm_factor_inertia.set_val((float)param_harm_factor->get_val());
	disto_gain_inertia.set_val((float)param_disto_gain->get_val());
	cutoff_inertia.arrive();
	reso_inertia.arrive();
	harm_factor_inertia.arrive();
	disto_gain_inertia.arrive();

	update_harm_lpf();
	set_band_param();
	nbr_band_cur = (int32_t)param_nbr_band->get_val();
	nbr_band_old = nbr_band_cur;
	set_band_param_fixed();
	filter_stage.clear_buffers();
}

int VorluneDsp::compute_requested_band_count() const
{
	const int n = (int)(param_nbr_band->get_val() - 1.0);
	return std::clamp(n, 0, FilterTapStage::NBR_BANDS);
}

int VorluneDsp::compute_limit_band_count() const
{
	const double spacing = (double)(float)harm_factor_inertia.val_cur;
	const double cutoff = (double)(float)cutoff_inertia.val_cur;
	const double q = (double)sample_freq * 0.475 / (spacing * cutoff);
	if (q >= (double)FilterTapStage::NBR_BANDS)
		return FilterTapStage::NBR_BANDS;
	if (q >= 0.0)
		return (int)q;
	return 0; // negative or NaN
}

void VorluneDsp::set_band_param()
{
	const int requested = compute_requested_band_count();
	const int limit = compute_limit_band_count();
	const int present_active = filter_stage.get_nbr_active_band();
	const int present_first = filter_stage.get_first_rband();

	const int active = std::min(std::max(requested, present_active), limit);
	const int first = std::min({present_first, requested, limit});
	const int first_decreasing = std::min(requested, limit);
	filter_stage.set_nbr_active_band(active);
	filter_stage.set_first_rband(first);
	filter_stage.set_first_rband_decreasing(first_decreasing);
	set_filter_band_param(active);
}

void VorluneDsp::set_band_param_fixed()
{
	const int n = std::min(compute_requested_band_count(), compute_limit_band_count());
	filter_stage.set_nbr_active_band(n);
	filter_stage.set_first_rband(n);
	filter_stage.set_first_rband_decreasing(n);
	set_filter_band_param(n);
}

void VorluneDsp::set_filter_band_param(int nbr)
{
	const double cutoff = (double)(float)cutoff_inertia.val_cur;
	const double spacing = (double)(float)harm_factor_inertia.val_cur;
	for (int k = 0; k < nbr; ++k) {
		filter_stage.set_cutoff_freq((float)(cutoff * spacing * (double)(k + 1)), k);
		filter_stage.set_q((float)(k + 1), k);
	}
}

void VorluneDsp::set_wanted_harm_lpf_balance(double gain)
{
	harm_lpf_gain_wanted = gain;
	harm_lpf_gain_step = (gain - harm_lpf_gain) * 0.0015625;
}

void VorluneDsp::fix_harm_lpf_balance()
{
	harm_lpf_gain_step = 0.0;
	harm_lpf_gain = harm_lpf_gain_wanted;
}
