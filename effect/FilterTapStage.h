// The multi-band part of the engine: the input goes into a long delay line
// per channel; each of up to 15 band-pass filters reads its own delayed
// block ("Evolution" spaces the delays) and the bands are summed. Bands fade
// in and out over 640 samples when the engine changes their count, and the
// sum gets the bands' share of the "Tone" balance.
//
// The stage owns the parameters "Evolution" and "Tone"; the engine decides
// band frequencies, quality factors and counts. Everything runs on the audio
// thread except notify (any thread that writes a parameter) and the set-up
// calls made through the engine.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>

#include "dsp/Filter2p.h"
#include "dsp/ParamInertia.h"
#include "dsp/SimdPath.h"
#include "effect/FastKernels.h"
#include "plegg/NotifiedInterface.h"
#include "plegg/NotifierInterface.h"

namespace plegg
{
class PluginInternal;
}

class ParamBandDelay;
class ParamHarmBalance;
class VorluneDsp;

class FilterTapStage : public plegg::NotifiedInterface, public plegg::NotifierInterface
{
public:
	static constexpr int NBR_BANDS = 15;
	static constexpr int NBR_CHN = 2;
	static constexpr int DELAY_LEN = 131072; // a power of 2
	static constexpr int BUF_LEN = 64;
	static constexpr float BAND_RAMP_STEP = 0.0015625f; // 640 samples

	FilterTapStage();
	FilterTapStage(const FilterTapStage &) = delete;
	FilterTapStage &operator=(const FilterTapStage &) = delete;

	void notify(plegg::NotifierInterface &notifier) override;
	virtual void set_default_state();

	// Creates and registers "Evolution" and "Tone" (after the engine's own
	// parameters). The owner is told of the low-pass share of "Tone" when
	// `engine` is a VorluneDsp.
	void init(plegg::PluginInternal &engine);
	void set_sample_freq(float hz);
	// Called every block and every tick; on, the right filters copy the left.
	void set_stereo_flag(bool on);
	void set_cutoff_freq(float hz, int k);
	void set_q(float q, int k);
	int get_nbr_active_band() const { return nbr_active_band; }
	void set_nbr_active_band(int nbr);
	int get_first_rband() const { return first_rband; }
	void set_first_rband(int k) { first_rband = k; }
	int get_first_rband_decreasing() const { return first_rband_decreasing; }
	void set_first_rband_decreasing(int k) { first_rband_decreasing = k; }

	// Every 64 samples: takes parameter changes, recomputes the changed
	// filters, glides the delays and ends finished fades and gain ramps.
	void tick(long n);
	// n <= 64 samples of in into out (one or two channels by the stereo flag).
	// With lp, the harmonic low-pass pair runs too, in the band bank's
	// spare lanes when the bank runs, else on its own first (lp's inputs are
	// read before out is written, so they may be the same buffers). Only
	// for the vector paths.
	void process_block(float **out, const float **in, long n, LowPassPairJob *lp = nullptr);
	void clear_buffers();
	void set_delay_spl();

	// Writes n input samples plus a +-1e-20 dither at the write position.
	void copy_rand_block(const float **in, long n);
	// Writes input samples in_pos... to delay positions [from, to).
	void copy_bound_rand_block_mono(const float **in, long in_pos, int from, int to);
	void copy_bound_rand_block_stereo(const float **in, long in_pos, int from, int to);
	void process_band_no_ramp(float **out, int k, int nbr_chn, long n, bool mix);
	void process_band_ramp(float **out, int k, int nbr_chn, long n, bool up);

	// Read access for the engine and for tests.
	const ParamBandDelay *get_param_band_delay() const { return param_band_delay; }
	const ParamHarmBalance *get_param_harm_balance() const { return param_harm_balance; }
	// The filters' memories lag while the vector path holds them in its
	// lanes (until a block on the plain path, a change of band count or
	// stereo flag, or a reset).
	const dsp::Filter2p &use_band(int chn, int k) const { return band[chn][k]; }
	int get_delay_spl(int k) const { return delay_spl[k]; }
	float get_band_level(int k) const { return band_level[k]; }
	float get_band_gain() const { return band_gain; }
	float get_band_gain_target() const { return band_gain_target; }
	int get_write_pos() const { return write_pos; }
	const float *use_delay_line(int chn) const { return delay_line[chn]; }
	float get_sample_freq() const { return sample_freq; }
	bool get_stereo_flag() const { return stereo_flag; }
	const dsp::ParamInertia &use_delay_inertia() const { return delay_inertia; }
	// Moves the write position (tests of the wrap at the end of the line).
	void set_write_pos(int pos) { write_pos = pos; }

	// Which implementation filters the bands: the plain scalar code or the
	// lane-parallel kernels (the same bits). The best path by default.
	void set_simd_path(dsp::SimdPath path);
	dsp::SimdPath get_simd_path() const { return simd_path; }

private:
	// Lane buffers of the kernels; aligned for whole-vector access.
	struct alignas(32) Lanes
	{
		static constexpr int L = BandBankJob::LANES;
		float coef[5 * L] = {};
		float state[4 * L] = {};
		float level[L] = {};
		float level_step[L] = {};
		float ff[BandBankJob::MAX_LEN * L] = {};
		float xlane[BandBankJob::MAX_LEN * L] = {};
		float xin[2 * BandBankJob::MAX_LEN] = {};
		float zbuf[16 * BandBankJob::ZSTRIDE] = {};
		float gain_seq[2 * BandBankJob::MAX_LEN] = {};
		float lp_in[2 * BandBankJob::MAX_LEN] = {};
		float lp_sel[L] = {};
		float lp_off[2][L] = {};
	};

	// The inputs of a left filter's last update_eq.
	struct Design
	{
		float freq = 0.0f, q = 0.0f, sample_freq = 0.0f, reso = 0.0f;
		int32_t type = -1;
	};

	float next_dither();
	void copy_band_to_right(int k);
	void note_design(int k);
	bool design_changed(int k) const;
	void process_block_scalar(float **out, const float **in, long n);
	void process_block_simd(float **out, const float **in, long n, LowPassPairJob *lp);
	// The vector path keeps the band memories in its lanes from block to
	// block, and the coefficients until a filter changes. release_lanes
	// writes the memories back to the filters, which then own them again;
	// load_lanes takes those of nb bands in.
	void release_lanes();
	void load_lanes(int nb);
	void load_lane_coefs(int nb);
	// Puts the low-pass pair into the lanes after nb bands.
	void load_lp_lanes(BandBankJob &job, const LowPassPairJob &lp, int nb, long n);
	// No band, or a band gain of nothing that is not ramping: the stage
	// writes silence.
	bool bank_silent() const
	{
		return (nbr_active_band == 0 || std::fabs((double)band_gain) < 1e-9) && band_gain_step == 0.0f;
	}
	// The band gain on what the bands wrote (constant or ramping).
	void apply_band_gain(float **out, int nbr_chn, long n);
	// copy_rand_block with the generator run four frames at a time (the
	// same sequence).
	void copy_rand_block_simd(const float **in, long n);

	bool stereo_flag = false;
	float sample_freq = 44100.0f;
	std::atomic<bool> param_changed_flag{false};
	bool filter_changed_flag = false;
	dsp::ParamInertia delay_inertia;
	ParamBandDelay *param_band_delay = nullptr;
	ParamHarmBalance *param_harm_balance = nullptr;
	double balance_old = -1.0;
	double balance_cur = -1.0;
	float band_gain = -1.0f;
	float band_gain_target = -1.0f;
	float band_gain_step = 0.0f;
	int32_t nbr_active_band = 1;
	int32_t first_rband = 1;
	int32_t first_rband_decreasing = 1;
	float band_ramp_step = BAND_RAMP_STEP;
	float band_level[NBR_BANDS] = {};
	float delay_line[NBR_CHN][DELAY_LEN] = {};
	int32_t write_pos = 0;
	float tmp_buf[NBR_CHN][BUF_LEN] = {};
	float *tmp_buf_ptr[NBR_CHN];
	int32_t delay_spl[NBR_BANDS] = {};
	dsp::Filter2p band[NBR_CHN][NBR_BANDS];
	uint32_t rand_seed = 0;
	VorluneDsp *owner = nullptr;
	Design design[NBR_BANDS];
	// The right filters are copies of the current left ones.
	bool right_copy_valid = false;
	// The lanes hold the memories of lanes_nb bands (none: -1), taken with
	// lanes_stereo; lanes_flip is the parity of the samples run since, which
	// moves each filter's mem_pos.
	int lanes_nb = -1;
	bool lanes_stereo = false;
	int lanes_flip = 0;
	// The lanes' coefficients are those of the filters; lanes_bp_floor is
	// BandBankJob::bp_floor for them.
	bool lanes_coef_valid = false;
	int32_t lanes_bp_floor = 0;
	dsp::SimdPath simd_path = dsp::best_simd_path();
	const FastKernels *kernels = &get_fast_kernels(dsp::best_simd_path());
	Lanes lanes;
};
