#include "effect/FilterTapStage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "effect/ParamBandDelay.h"
#include "effect/ParamHarmBalance.h"
#include "effect/VorluneDsp.h"
#include "plegg/PluginInternal.h"

namespace
{

constexpr int DELAY_MASK = FilterTapStage::DELAY_LEN - 1;

// Band gain of a "Tone" value b: the bands' half of the equal-power law.
float band_gain_of(double b)
{
	return (float)(std::sin(b * M_PI / 2.0) * (double)0.70710677f);
}

// Low-pass gain of a "Tone" value b, handed to the engine.
double lpf_gain_of(double b)
{
	return std::cos(b * M_PI / 2.0) * 0.7071067811865476;
}

} // namespace

FilterTapStage::FilterTapStage() : tmp_buf_ptr{tmp_buf[0], tmp_buf[1]}
{
}

void FilterTapStage::notify(plegg::NotifierInterface &)
{
	param_changed_flag.store(true, std::memory_order_release);
}

void FilterTapStage::init(plegg::PluginInternal &engine)
{
	owner = dynamic_cast<VorluneDsp *>(&engine);

	auto delay = std::make_shared<ParamBandDelay>();
	auto balance = std::make_shared<ParamHarmBalance>();
	delay->init(0.0, 2);
	balance->init(0.5, 2);
	param_band_delay = delay.get();
	param_harm_balance = balance.get();
	engine.register_param(delay);
	engine.register_param(balance);
	param_band_delay->notified = this;
	param_harm_balance->notified = this;

	delay_inertia.inertia_time = 0.1f;
	set_delay_spl();
	for (auto &chn : band) {
		for (dsp::Filter2p &f : chn) {
			f.reso = 1.0f;
			f.type = dsp::Filter2p::TYPE_BAND_PASS;
			f.update_eq();
		}
	}
	for (int k = 0; k < NBR_BANDS; ++k)
		note_design(k);
	right_copy_valid = false;
}

void FilterTapStage::set_default_state()
{
	param_band_delay->change_val(0.0);
	param_harm_balance->change_val(0.5);
}

void FilterTapStage::set_sample_freq(float hz)
{
	sample_freq = hz;
	delay_inertia.set_sample_freq(hz);
	for (int k = 0; k < NBR_BANDS; ++k) {
		for (int c = 0; c < NBR_CHN; ++c) {
			band[c][k].sample_freq = hz;
			band[c][k].update_eq();
		}
		note_design(k);
	}
	right_copy_valid = false;
	lanes_coef_valid = false;
	filter_changed_flag = true;
}

void FilterTapStage::copy_band_to_right(int k)
{
	// The left filter's coefficients are always those of its settings when
	// this runs, so copying them gives what a fresh design would.
	band[1][k].copy_settings(band[0][k]);
}

void FilterTapStage::set_stereo_flag(bool on)
{
	stereo_flag = on;
	// The right filters already equal the left ones unless a left setting
	// changed since the last copy.
	if (on && !right_copy_valid) {
		for (int k = 0; k < NBR_BANDS; ++k)
			copy_band_to_right(k);
		right_copy_valid = true;
		lanes_coef_valid = false;
	}
}

void FilterTapStage::note_design(int k)
{
	const dsp::Filter2p &f = band[0][k];
	design[k] = Design{f.freq, f.q, f.sample_freq, f.reso, f.type};
}

bool FilterTapStage::design_changed(int k) const
{
	const dsp::Filter2p &f = band[0][k];
	const Design &d = design[k];
	return !(d.freq == f.freq && d.q == f.q && d.sample_freq == f.sample_freq && d.reso == f.reso && d.type == f.type);
}

void FilterTapStage::set_cutoff_freq(float hz, int k)
{
	band[0][k].freq = hz;
	filter_changed_flag = true;
}

void FilterTapStage::set_q(float q, int k)
{
	band[0][k].q = q;
	filter_changed_flag = true;
}

void FilterTapStage::set_nbr_active_band(int nbr)
{
	nbr_active_band = nbr;
	filter_changed_flag = true;
}

void FilterTapStage::set_delay_spl()
{
	const double d = (double)(float)delay_inertia.val_cur * 0.001;
	const double sf = (double)sample_freq;
	// The line holds a block plus the longest delay; only absurd rates could
	// ask for more.
	constexpr double max_delay = (double)(DELAY_LEN - BUF_LEN);
	for (int k = 0; k < NBR_BANDS; ++k) {
		double spl = (d < 0.0) ? std::floor((-d * (double)(NBR_BANDS - k)) * sf + 0.5)
		                       : std::floor((d * (double)k) * sf + 0.5);
		if (!(spl >= 0.0))
			spl = 0.0;
		else if (spl > max_delay)
			spl = max_delay;
		delay_spl[k] = (int32_t)spl;
	}
}

void FilterTapStage::tick(long n)
{
	balance_old = balance_cur;

	if (param_changed_flag.exchange(false, std::memory_order_acquire)) {
		delay_inertia.set_val((float)param_band_delay->get_val());
		balance_cur = param_harm_balance->get_val();
		if (balance_cur != balance_old) {
			band_gain_target = band_gain_of(balance_cur);
			if (owner != nullptr)
				owner->set_wanted_harm_lpf_balance(lpf_gain_of(balance_cur));
			band_gain_step = (band_gain_target - band_gain) / 640.0f;
		}
	}

	if (filter_changed_flag) {
		// Only the bands whose settings moved: update_eq of unchanged inputs
		// would give the same coefficients.
		for (int k = 0; k < nbr_active_band; ++k) {
			if (!design_changed(k))
				continue;
			band[0][k].update_eq();
			note_design(k);
			// The right filter follows now, or when stereo comes back.
			if (stereo_flag)
				copy_band_to_right(k);
			else
				right_copy_valid = false;
			lanes_coef_valid = false;
		}
		filter_changed_flag = false;
	}

	if (delay_inertia.is_moving()) {
		delay_inertia.tick(n);
		set_delay_spl();
	}

	// Fades in that are complete.
	const int fade_in_end = first_rband_decreasing;
	for (int k = first_rband; k < fade_in_end; ++k) {
		if (band_level[k] > 0.999f) {
			band_level[k] = 1.0f;
			++first_rband;
		}
	}

	// Fades out that are complete: the band goes silent and forgets.
	const int fade_out_top = nbr_active_band - 1;
	for (int k = fade_out_top; k >= first_rband_decreasing; --k) {
		if (band_level[k] < 0.001f) {
			release_lanes();
			band_level[k] = 0.0f;
			--nbr_active_band;
			band[0][k].clear_buffers();
			band[1][k].clear_buffers();
		}
	}

	if ((band_gain_target - band_gain) * band_gain_step < 0.0f) {
		band_gain = band_gain_target;
		band_gain_step = 0.0f;
	}
}

float FilterTapStage::next_dither()
{
	const uint32_t r = rand_seed * 1103515245u + 12345u;
	rand_seed = r & 0x7FFFFFFFu;
	return (r & 0x10000u) != 0 ? 1e-20f : -1e-20f;
}

void FilterTapStage::copy_bound_rand_block_mono(const float **in, long in_pos, int from, int to)
{
	const float *src = in[0] + in_pos;
	float *dst = delay_line[0];
	for (int p = from; p < to; ++p)
		dst[p] = *src++ + next_dither();
}

void FilterTapStage::copy_bound_rand_block_stereo(const float **in, long in_pos, int from, int to)
{
	const float *src_l = in[0] + in_pos;
	const float *src_r = in[1] + in_pos;
	float *dst_l = delay_line[0];
	float *dst_r = delay_line[1];
	for (int p = from; p < to; ++p) {
		const float dither = next_dither();
		dst_l[p] = *src_l++ + dither;
		dst_r[p] = *src_r++ + dither;
	}
}

void FilterTapStage::copy_rand_block(const float **in, long n)
{
	// A write that ended at the very end of the line left write_pos at
	// DELAY_LEN; it wraps here.
	write_pos &= DELAY_MASK;
	const long len1 = std::min<long>(n, DELAY_LEN - write_pos);
	const long len2 = n - len1;
	auto copy = [&](long in_pos, int from, int to) {
		if (stereo_flag)
			copy_bound_rand_block_stereo(in, in_pos, from, to);
		else
			copy_bound_rand_block_mono(in, in_pos, from, to);
	};
	copy(0, write_pos, write_pos + (int)len1);
	write_pos += (int32_t)len1;
	if (len2 > 0) {
		write_pos = 0;
		copy(len1, 0, (int)len2);
		write_pos = (int32_t)len2;
	}
}

void FilterTapStage::process_band_no_ramp(float **out, int k, int nbr_chn, long n, bool mix)
{
	const int pos = (write_pos - delay_spl[k] - (int)n) & DELAY_MASK;
	const long len1 = std::min<long>(n, DELAY_LEN - pos);
	const long len2 = n - len1;
	const bool add = mix && k != 0;
	for (int c = 0; c < nbr_chn; ++c) {
		dsp::Filter2p &f = band[c][k];
		const float *line = delay_line[c];
		if (add) {
			f.process_block_mix(out[c], line + pos, len1);
			f.process_block_mix(out[c] + len1, line, len2);
		} else {
			f.process_block(out[c], line + pos, len1);
			f.process_block(out[c] + len1, line, len2);
		}
	}
}

void FilterTapStage::process_band_ramp(float **out, int k, int nbr_chn, long n, bool up)
{
	const float step = up ? band_ramp_step : -band_ramp_step;
	float level = band_level[k];
	if (k == 0) {
		for (long i = 0; i < n; ++i) {
			for (int c = 0; c < nbr_chn; ++c)
				out[c][i] = tmp_buf[c][i] * level;
			level += step;
		}
	} else {
		for (long i = 0; i < n; ++i) {
			for (int c = 0; c < nbr_chn; ++c)
				out[c][i] += tmp_buf[c][i] * level;
			level += step;
		}
	}
	band_level[k] = level;
}

void FilterTapStage::set_simd_path(dsp::SimdPath path)
{
	if (!dsp::is_simd_path_supported(path))
		path = dsp::best_simd_path();
	release_lanes();
	simd_path = path;
	kernels = &get_fast_kernels(path);
}

void FilterTapStage::process_block(float **out, const float **in, long n, LowPassPairJob *lp)
{
	if (n <= 0)
		return;
	if (simd_path == dsp::SimdPath::SCALAR) {
		if (lp != nullptr)
			kernels->low_pass_pair(*lp);
		process_block_scalar(out, in, n);
	} else {
		process_block_simd(out, in, n, lp);
	}
}

void FilterTapStage::process_block_scalar(float **out, const float **in, long n)
{
	release_lanes();
	copy_rand_block(in, n);
	const int nbr_chn = stereo_flag ? 2 : 1;

	if (bank_silent()) {
		for (int c = 0; c < nbr_chn; ++c)
			std::fill(out[c], out[c] + n, 0.0f);
		return;
	}

	for (int k = 0; k < first_rband; ++k)
		process_band_no_ramp(out, k, nbr_chn, n, true);
	for (int k = first_rband; k < first_rband_decreasing; ++k) {
		process_band_no_ramp(tmp_buf_ptr, k, nbr_chn, n, false);
		process_band_ramp(out, k, nbr_chn, n, true);
	}
	for (int k = first_rband_decreasing; k < nbr_active_band; ++k) {
		process_band_no_ramp(tmp_buf_ptr, k, nbr_chn, n, false);
		process_band_ramp(out, k, nbr_chn, n, false);
	}

	apply_band_gain(out, nbr_chn, n);
}

void FilterTapStage::apply_band_gain(float **out, int nbr_chn, long n)
{
	if (band_gain == band_gain_target) {
		const float g = band_gain;
		for (int c = 0; c < nbr_chn; ++c) {
			for (long i = 0; i < n; ++i)
				out[c][i] *= g;
		}
	} else {
		float g = band_gain;
		for (long i = 0; i < n; ++i) {
			for (int c = 0; c < nbr_chn; ++c)
				out[c][i] *= g;
			g += band_gain_step;
		}
		band_gain = g;
	}
}

void FilterTapStage::clear_buffers()
{
	delay_inertia.set_val((float)param_band_delay->get_val());
	delay_inertia.arrive();
	set_delay_spl();

	const double b = param_harm_balance->get_val();
	balance_old = b;
	balance_cur = b;
	band_gain_target = band_gain_of(b);
	band_gain = band_gain_target;
	band_gain_step = 0.0f;
	if (owner != nullptr) {
		owner->set_wanted_harm_lpf_balance(lpf_gain_of(b));
		owner->fix_harm_lpf_balance();
	}

	first_rband = nbr_active_band;
	first_rband_decreasing = nbr_active_band;
	for (int k = 0; k < nbr_active_band; ++k)
		band_level[k] = 1.0f;

	for (int k = 0; k < NBR_BANDS; ++k) {
		for (int c = 0; c < NBR_CHN; ++c) {
			band[c][k].clear_buffers();
			band[c][k].update_eq();
		}
		note_design(k);
	}
	right_copy_valid = false;
	// The memories just cleared are the filters' own.
	lanes_nb = -1;
	lanes_coef_valid = false;

	std::memset(delay_line, 0, sizeof(delay_line));
}
