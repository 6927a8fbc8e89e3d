// The engine's audio side (audio thread): chunks, the 64-sample tick, the
// six signal paths in both process forms, the "Tone" balance of the
// low-pass branch and the distortion.
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>

#include "effect/ParamCutFreq.h"
#include "effect/ParamDistoGain.h"
#include "effect/ParamDistoRouting.h"
#include "effect/ParamHarmFactor.h"
#include "effect/ParamNbrBand.h"
#include "effect/ParamReso.h"
#include "effect/VorluneDsp.h"
#include "plegg/HostDspInterface.h"

namespace
{

// Flush-to-zero and denormals-are-zero for the duration of a process call;
// the caller's mode comes back on exit.
class ScopedDenormalMode
{
public:
	ScopedDenormalMode() : saved(_mm_getcsr()) { _mm_setcsr(saved | FTZ_DAZ); }
	~ScopedDenormalMode() { _mm_setcsr(saved); }
	ScopedDenormalMode(const ScopedDenormalMode &) = delete;
	ScopedDenormalMode &operator=(const ScopedDenormalMode &) = delete;

private:
	static constexpr unsigned int FTZ_DAZ = 0x8040;
	unsigned int saved;
};

constexpr double HALF_PI = 1.5707963267948966;
constexpr double TWO_OVER_PI = 0.6366197723675814;

} // namespace

bool VorluneDsp::do_process_replacing(float **out, const float **in, long nbr_spl, bool flag)
{
	ScopedDenormalMode fp_mode;
	process_block<false>(out, in, nbr_spl);
	return flag;
}

bool VorluneDsp::do_process_mix(float **out, const float **in, long nbr_spl, bool flag)
{
	ScopedDenormalMode fp_mode;
	process_block<true>(out, in, nbr_spl);
	return flag;
}

template <bool MIX>
void VorluneDsp::process_block(float **out, const float **in, long nbr_spl)
{
	if (out == nullptr || in == nullptr || out[0] == nullptr || in[0] == nullptr)
		return;
	if (!init_flag) {
		if (!MIX)
			std::fill(out[0], out[0] + std::max(nbr_spl, 0L), 0.0f);
		return;
	}
	update_io_stereo_flags();

	// A missing second channel reads the first; it is written only when the
	// host connected it.
	const float *in1 = (in[1] != nullptr) ? in[1] : in[0];
	float *out1 = (out[1] != nullptr) ? out[1] : out[0];
	const bool out_stereo = out_stereo_flag && out[1] != nullptr;

	for (long pos = 0; pos < nbr_spl;) {
		const long len = std::min<long>(BUF_LEN, nbr_spl - pos);
		tick_spl_count += (int32_t)len;
		if (tick_spl_count > TICK_LEN - 1) {
			tick(TICK_LEN);
			tick_spl_count -= TICK_LEN;
		}
		const float *in_chn[2] = {in[0] + pos, in1 + pos};
		float *out_chn[2] = {out[0] + pos, out_stereo ? out1 + pos : nullptr};
		process_chunk<MIX>(out_chn, in_chn, len);
		pos += len;
	}
}

template <bool MIX>
void VorluneDsp::process_chunk(float *const *out, const float *const *in, long len)
{
	const bool pre = param_disto_routing->get_val() < 0.5;
	const bool out_stereo = out[1] != nullptr;
	const bool stereo = in_stereo_flag && out_stereo;
	const bool mono_mix_in = in_stereo_flag && !out_stereo;

	// The filter stage takes (and in stereo writes) two channel pointers.
	float *stage_out[2];
	const float *stage_in[2] = {in[0], in[1]};
	if (mono_mix_in) {
		mix_stereo_to_mono(mono_buf, stage_in, len);
		stage_in[0] = mono_buf;
		stage_in[1] = mono_buf;
	}
	const float *lpf_in = stage_in[0];

	// Where the filter stage writes: the host's outputs in replacing "Pre",
	// band_buf everywhere else.
	const bool stage_to_host = pre && !MIX;
	if (stage_to_host) {
		stage_out[0] = out[0];
		stage_out[1] = out_stereo ? out[1] : band_buf[1];
	} else {
		stage_out[0] = band_buf[0];
		stage_out[1] = band_buf[1];
	}
	float **harm = harm_buf_ptr;

	if (pre) {
		if (stereo) {
			run_stage_and_lpf_stereo(stage_out, stage_in, in[0], in[1], len);
			process_disto_stereo_r(harm, harm, len);
		} else {
			harm_lpf[0].process_block_nd(harm_buf[0], lpf_in, len);
			process_disto_mono_r(harm, harm, len);
			filter_stage.process_block(stage_out, stage_in, len);
		}
		if (stereo)
			process_harm_balance_stereo(stage_out, harm, len);
		else
			process_harm_balance_mono(stage_out, harm, len);

		if (!MIX) {
			if (out_stereo && !stereo)
				std::copy(out[0], out[0] + len, out[1]);
		} else {
			float *dst[2] = {out[0], out[1]};
			if (stereo) {
				mix_stereo(dst, stage_out, len);
			} else {
				mix_mono(dst, stage_out, len);
				if (out_stereo) {
					float *dst1[1] = {out[1]};
					mix_mono(dst1, stage_out, len);
				}
			}
		}
		return;
	}

	// "Post": bands and low-pass mixed into band_buf, then distorted.
	if (stereo) {
		run_stage_and_lpf_stereo(band_buf_ptr, stage_in, in[0], in[1], len);
		process_harm_balance_stereo(band_buf_ptr, harm, len);
	} else {
		filter_stage.process_block(band_buf_ptr, stage_in, len);
		harm_lpf[0].process_block_nd(harm_buf[0], lpf_in, len);
		process_harm_balance_mono(band_buf_ptr, harm, len);
	}

	float *dst[2] = {out[0], out[1]};
	if (!MIX) {
		if (stereo) {
			process_disto_stereo_r(dst, band_buf_ptr, len);
		} else {
			process_disto_mono_r(dst, band_buf_ptr, len);
			if (out_stereo)
				std::copy(out[0], out[0] + len, out[1]);
		}
	} else {
		if (stereo)
			process_disto_stereo_mix(dst, band_buf_ptr, len);
		else
			process_disto_mono_mix(dst, band_buf_ptr, len, out_stereo ? 2 : 1);
	}
}

void VorluneDsp::set_simd_path(dsp::SimdPath path)
{
	if (!dsp::is_simd_path_supported(path))
		path = dsp::best_simd_path();
	simd_path = path;
	kernels = &get_fast_kernels(path);
	filter_stage.set_simd_path(path);
}

bool VorluneDsp::prepare_harm_lpf_pair(LowPassPairJob &job, float *state, const float *in0, const float *in1, long n)
{
	const dsp::Filter2p &f0 = harm_lpf[0];
	const dsp::Filter2p &f1 = harm_lpf[1];
	// The pair shares its coefficients (the right filter is a copy).
	const bool same = f0.b0 == f1.b0 && f0.b1 == f1.b1 && f0.b2 == f1.b2 && f0.a1 == f1.a1 && f0.a2 == f1.a2;
	if (simd_path == dsp::SimdPath::SCALAR || !same || n <= 0)
		return false;
	lpf_coef[0] = f0.b0;
	lpf_coef[1] = f0.b1;
	lpf_coef[2] = f0.b2;
	lpf_coef[3] = f0.a1;
	lpf_coef[4] = f0.a2;
	for (int c = 0; c < 2; ++c) {
		const dsp::Filter2p &f = harm_lpf[c];
		const int p = f.mem_pos;
		state[0 + c] = f.mem_x[p];
		state[2 + c] = f.mem_x[1 - p];
		state[4 + c] = f.mem_y[p];
		state[6 + c] = f.mem_y[1 - p];
	}
	job.coef = lpf_coef;
	job.state = state;
	job.parity[0] = f0.mem_pos;
	job.parity[1] = f1.mem_pos;
	job.in[0] = in0;
	job.in[1] = in1;
	job.out[0] = harm_buf[0];
	job.out[1] = harm_buf[1];
	job.n = n;
	return true;
}

void VorluneDsp::finish_harm_lpf_pair(const float *state, long n)
{
	const int flip = (int)(n & 1);
	for (int c = 0; c < 2; ++c) {
		dsp::Filter2p &f = harm_lpf[c];
		const int p = f.mem_pos ^ flip;
		f.mem_x[p] = state[0 + c];
		f.mem_x[1 - p] = state[2 + c];
		f.mem_y[p] = state[4 + c];
		f.mem_y[1 - p] = state[6 + c];
		f.mem_pos = p;
	}
}

void VorluneDsp::run_stage_and_lpf_stereo(float **stage_out, const float **stage_in, const float *in0, const float *in1,
                                          long n)
{
	LowPassPairJob job;
	alignas(16) float state[8];
	if (!prepare_harm_lpf_pair(job, state, in0, in1, n)) {
		// The plain path: the pair reads its inputs before the stage writes.
		harm_lpf[1].process_block_nd(harm_buf[1], in1, n);
		harm_lpf[0].process_block_nd(harm_buf[0], in0, n);
		filter_stage.process_block(stage_out, stage_in, n);
		return;
	}
	filter_stage.process_block(stage_out, stage_in, n, &job);
	finish_harm_lpf_pair(state, n);
}

void VorluneDsp::update_io_stereo_flags()
{
	if (host != nullptr) {
		in_stereo_flag = host->is_input_connected(0, 1);
		out_stereo_flag = host->is_output_connected(0, 1);
	}
	filter_stage.set_stereo_flag(out_stereo_flag);
}

void VorluneDsp::tick(long n)
{
	update_io_stereo_flags();

	if (param_changed_flag.exchange(false, std::memory_order_acquire)) {
		cutoff_inertia.set_val((float)param_cutoff->get_val());
		reso_inertia.set_val((float)param_reso->get_val());
		harm_factor_inertia.set_val((float)param_harm_factor->get_val());
		disto_gain_inertia.set_val((float)param_disto_gain->get_val());
	}

	// A glide counts as moving in the tick where it arrives, so that its
	// final values are applied.
	const bool cutoff_moving = cutoff_inertia.is_moving();
	const bool reso_moving = reso_inertia.is_moving();
	const bool harm_factor_moving = harm_factor_inertia.is_moving();
	cutoff_inertia.tick(n);
	reso_inertia.tick(n);
	harm_factor_inertia.tick(n);
	disto_gain_inertia.tick(n);

	nbr_band_old = nbr_band_cur;
	nbr_band_cur = std::clamp((int32_t)param_nbr_band->get_val(), (int32_t)ParamNbrBand::MIN_VAL,
	                          (int32_t)ParamNbrBand::MAX_VAL);

	if (cutoff_moving || reso_moving)
		update_harm_lpf();
	if (harm_factor_moving || cutoff_moving || nbr_band_cur != nbr_band_old)
		set_band_param();

	filter_stage.tick(n);

	if ((harm_lpf_gain_wanted - harm_lpf_gain) * harm_lpf_gain_step < 0.0) {
		harm_lpf_gain = harm_lpf_gain_wanted;
		harm_lpf_gain_step = 0.0;
	}
}

void VorluneDsp::harm_balance(float **dst, float **src, long n, int nbr_chn)
{
	const bool add = filter_stage.get_nbr_active_band() > 0;
	double g = harm_lpf_gain;
	const double step = (harm_lpf_gain == harm_lpf_gain_wanted) ? 0.0 : harm_lpf_gain_step;
	if (simd_path != dsp::SimdPath::SCALAR && step == 0.0) {
		for (int c = 0; c < nbr_chn; ++c)
			kernels->balance(dst[c], src[c], n, g, add);
		return;
	}
	for (long i = 0; i < n; ++i) {
		for (int c = 0; c < nbr_chn; ++c) {
			const double s = g * (double)src[c][i];
			dst[c][i] = add ? (float)((double)dst[c][i] + s) : (float)s;
		}
		if (step != 0.0)
			g += step;
	}
	harm_lpf_gain = g;
}

void VorluneDsp::process_harm_balance_mono(float **dst, float **src, long n)
{
	harm_balance(dst, src, n, 1);
}

void VorluneDsp::process_harm_balance_stereo(float **dst, float **src, long n)
{
	harm_balance(dst, src, n, 2);
}

void VorluneDsp::process_disto_mono_r(float **dst, float **src, long n)
{
	const float g = (float)disto_gain_inertia.val_cur;
	float *d = dst[0];
	const float *s = src[0];
	for (long i = 0; i < n; ++i)
		d[i] = DistoTable::eval(g * s[i]);
}

void VorluneDsp::process_disto_stereo_r(float **dst, float **src, long n)
{
	const float f = (float)disto_gain_inertia.val_cur * 1.5707964f;
	if (simd_path != dsp::SimdPath::SCALAR) {
		for (int c = 0; c < 2; ++c)
			kernels->disto_float(dst[c], src[c], n, f, false);
		return;
	}
	for (int c = 0; c < 2; ++c) {
		for (long i = 0; i < n; ++i) {
			const float x = f * src[c][i];
			dst[c][i] = (float)(std::atan((double)x) * TWO_OVER_PI);
		}
	}
}

void VorluneDsp::process_disto_mono_mix(float **dst, float **src, long n, int nbr_dst)
{
	const double f = disto_gain_inertia.val_cur * HALF_PI;
	if (simd_path != dsp::SimdPath::SCALAR) {
		kernels->disto_double_mix(dst, src[0], n, f, nbr_dst);
		return;
	}
	for (long i = 0; i < n; ++i) {
		const double y = std::atan(f * (double)src[0][i]) * TWO_OVER_PI;
		for (int c = 0; c < nbr_dst; ++c)
			dst[c][i] = (float)((double)dst[c][i] + y);
	}
}

void VorluneDsp::process_disto_stereo_mix(float **dst, float **src, long n)
{
	const float f = (float)disto_gain_inertia.val_cur * 1.5707964f;
	if (simd_path != dsp::SimdPath::SCALAR) {
		for (int c = 0; c < 2; ++c)
			kernels->disto_float(dst[c], src[c], n, f, true);
		return;
	}
	for (int c = 0; c < 2; ++c) {
		for (long i = 0; i < n; ++i) {
			const float x = f * src[c][i];
			dst[c][i] = (float)((double)dst[c][i] + std::atan((double)x) * TWO_OVER_PI);
		}
	}
}

void VorluneDsp::mix_stereo_to_mono(float *dst, const float **src, long n)
{
	for (long i = 0; i < n; ++i)
		dst[i] = (src[0][i] + src[1][i]) * 0.5f;
}

void VorluneDsp::mix_mono(float **dst, float **src, long n)
{
	for (long i = 0; i < n; ++i)
		dst[0][i] += src[0][i];
}

void VorluneDsp::mix_stereo(float **dst, float **src, long n)
{
	for (int c = 0; c < 2; ++c) {
		for (long i = 0; i < n; ++i)
			dst[c][i] += src[c][i];
	}
}
