// The effect engine: a bank of up to 15 band-pass filters tuned to
// harmonics of the cutoff frequency, mixed with a resonant low-pass at the
// cutoff itself, and a distortion before the mix (on the low-pass branch) or
// after it. Blocks are processed in chunks of at most 64 samples; parameter
// changes are taken once every 64 samples and the continuous ones glide over
// 0.1 s.
//
// Threads: processing and ticks run on the host's audio thread. Parameters
// may be written on any thread; writers only raise `param_changed_flag`
// (notify), and the audio thread reads the values at its next tick. Set-up
// calls (init, sample rate, clear_buffers, programs) come from the host
// binding's dispatcher while no block is being processed.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "dsp/Filter2p.h"
#include "dsp/InterpFncFiniteAsym.h"
#include "dsp/ParamInertia.h"
#include "dsp/SimdPath.h"
#include "effect/FastKernels.h"
#include "effect/FilterTapStage.h"
#include "plegg/DspInterface.h"
#include "plegg/MidiReceiverInterface.h"
#include "plegg/NotifiedInterface.h"
#include "plegg/NotifierInterface.h"
#include "plegg/PinProperty.h"
#include "plegg/PluginInternal.h"

class ParamCutFreq;
class ParamReso;
class ParamNbrBand;
class ParamDistoGain;
class ParamDistoRouting;
class ParamHarmFactor;

class VorluneDsp : public plegg::DspInterface,
                   public plegg::MidiReceiverInterface,
                   public plegg::NotifiedInterface,
                   public plegg::NotifierInterface,
                   public plegg::PluginInternal
{
public:
	// The distortion curve (2/pi) atan((pi/2) x).
	struct DistoFnc
	{
		static double eval(double x) { return std::atan(1.5707963267948966 * x) * 0.6366197723675814; }
	};
	using DistoTable = dsp::InterpFncFiniteAsym<-32, 32, DistoFnc>;

	enum ParamIndex
	{
		PARAM_CUTOFF = 0,
		PARAM_RESO,
		PARAM_NBR_BAND,
		PARAM_DISTO_GAIN,
		PARAM_DISTO_ROUTING,
		PARAM_HARM_FACTOR,
		PARAM_BAND_DELAY,
		PARAM_HARM_BALANCE,

		NBR_PARAM
	};

	static constexpr int BUF_LEN = 64;
	static constexpr int TICK_LEN = 64;
	// Before the host sets a rate.
	static constexpr float DEFAULT_SAMPLE_FREQ = 44100.0f;

	VorluneDsp();
	VorluneDsp(const VorluneDsp &) = delete;
	VorluneDsp &operator=(const VorluneDsp &) = delete;
	~VorluneDsp() override;

	// DspInterface
	int init() override;
	void set_default_state() override;
	void restore() override {}
	plegg::HostDspInterface *get_host() const override { return host; }
	void set_host(plegg::HostDspInterface &h) override { host = &h; }
	plegg::GuiInterface *get_gui() const override { return gui; }
	void set_gui(plegg::GuiInterface &g) override { gui = &g; }
	int get_nbr_in_pin() const override { return 1; }
	const plegg::PinProperty &get_input_pin_prop(int) const override { return in_pin; }
	int get_nbr_out_pin() const override { return 1; }
	const plegg::PinProperty &get_output_pin_prop(int) const override { return out_pin; }
	int get_min_sample_freq() const override { return 4000; }
	int get_max_sample_freq() const override { return 96000; }
	// Rates that are not finite or not positive are ignored.
	void set_sample_freq(float hz) override;
	void set_sample_scale(float) override {}
	// 8 from construction on; the parameters themselves exist after init().
	int get_nbr_param() const override { return NBR_PARAM; }
	plegg::NormalizedParamInterface &get_param_ref(int index) const override;
	void set_program_name(const std::string &name) override { prog_name = name; }
	std::string get_program_name() const override { return prog_name; }
	void send_scalar_msg(int, float) override {}
	double get_property(const char *name) const override;
	std::string get_string_property(const char *name) const override;
	void clear_buffers() override;
	void set_tempo(float) override {}
	void do_set_program(const plegg::ProgramSlot &slot) override;
	void do_get_program(plegg::ProgramSlot &slot) override;
	bool do_process_replacing(float **out, const float **in, long nbr_spl, bool flag) override;
	bool do_process_mix(float **out, const float **in, long nbr_spl, bool flag) override;

	// NotifiedInterface: a parameter changed (any thread).
	void notify(plegg::NotifierInterface &notifier) override;

	// Engine internals, public for the filter stage and for tests.
	void tick(long n);
	void update_io_stereo_flags();
	void set_band_param();
	void set_band_param_fixed();
	void set_filter_band_param(int nbr);
	void process_harm_balance_mono(float **dst, float **src, long n);
	void process_harm_balance_stereo(float **dst, float **src, long n);
	void process_disto_mono_r(float **dst, float **src, long n);
	void process_disto_stereo_r(float **dst, float **src, long n);
	// Adds to channel 0, and to channel 1 as well when nbr_dst is 2.
	void process_disto_mono_mix(float **dst, float **src, long n, int nbr_dst = 1);
	void process_disto_stereo_mix(float **dst, float **src, long n);
	void mix_stereo_to_mono(float *dst, const float **src, long n);
	void mix_mono(float **dst, float **src, long n);
	void mix_stereo(float **dst, float **src, long n);
	void set_wanted_harm_lpf_balance(double gain);
	void fix_harm_lpf_balance();

	// Which implementation runs the inner loops, here and in the filter
	// stage: the plain scalar code or the lane-parallel kernels (the same
	// bits). The best path the processor runs by default.
	void set_simd_path(dsp::SimdPath path);
	dsp::SimdPath get_simd_path() const { return simd_path; }

	// Read access for tests.
	const FilterTapStage &use_filter_stage() const { return filter_stage; }
	const dsp::Filter2p &use_harm_lpf(int chn) const { return harm_lpf[chn]; }
	const dsp::ParamInertia &use_cutoff_inertia() const { return cutoff_inertia; }
	const dsp::ParamInertia &use_reso_inertia() const { return reso_inertia; }
	const dsp::ParamInertia &use_harm_factor_inertia() const { return harm_factor_inertia; }
	const dsp::ParamInertia &use_disto_gain_inertia() const { return disto_gain_inertia; }
	double get_harm_lpf_gain() const { return harm_lpf_gain; }
	double get_harm_lpf_gain_wanted() const { return harm_lpf_gain_wanted; }
	int get_tick_spl_count() const { return tick_spl_count; }
	float get_sample_freq() const { return sample_freq; }
	bool get_in_stereo_flag() const { return in_stereo_flag; }
	bool get_out_stereo_flag() const { return out_stereo_flag; }
	// Number of bands requested by "Nbr Bands" and allowed by the rate.
	int compute_requested_band_count() const;
	int compute_limit_band_count() const;

private:
	template <bool MIX>
	void process_block(float **out, const float **in, long nbr_spl);
	template <bool MIX>
	void process_chunk(float *const *out, const float *const *in, long len);
	void update_harm_lpf();
	void harm_balance(float **dst, float **src, long n, int nbr_chn);
	// The filter stage and both low-pass filters (the pair in the band
	// bank's spare lanes on the vector paths); in0, in1 are read before
	// stage_out is written.
	void run_stage_and_lpf_stereo(float **stage_out, const float **stage_in, const float *in0, const float *in1, long n);
	// The low-pass pair as a kernel job (false: the scalar code must run).
	bool prepare_harm_lpf_pair(LowPassPairJob &job, float *state, const float *in0, const float *in1, long n);
	void finish_harm_lpf_pair(const float *state, long n);

	DistoTable disto_fnc;
	plegg::HostDspInterface *host = nullptr;
	plegg::GuiInterface *gui = nullptr;
	FilterTapStage filter_stage;
	plegg::PinProperty in_pin{2};
	plegg::PinProperty out_pin{2};
	int32_t tick_spl_count = 0;
	bool in_stereo_flag = false;
	bool out_stereo_flag = false;
	float sample_freq = DEFAULT_SAMPLE_FREQ;
	std::atomic<bool> param_changed_flag{true};
	std::string prog_name;
	dsp::ParamInertia cutoff_inertia;
	ParamCutFreq *param_cutoff = nullptr;
	dsp::ParamInertia reso_inertia;
	ParamReso *param_reso = nullptr;
	ParamNbrBand *param_nbr_band = nullptr;
	int32_t nbr_band_old = 1;
	int32_t nbr_band_cur = 1;
	dsp::ParamInertia harm_factor_inertia;
	ParamHarmFactor *param_harm_factor = nullptr;
	dsp::ParamInertia disto_gain_inertia;
	ParamDistoGain *param_disto_gain = nullptr;
	ParamDistoRouting *param_disto_routing = nullptr;
	double harm_lpf_gain_wanted = 0.5;
	double harm_lpf_gain = 0.5;
	double harm_lpf_gain_step = 0.0;
	dsp::Filter2p harm_lpf[2];
	float harm_buf[2][BUF_LEN] = {};
	float *harm_buf_ptr[2];
	float band_buf[2][BUF_LEN] = {};
	float *band_buf_ptr[2];
	float mono_buf[BUF_LEN] = {};
	alignas(16) float lpf_coef[5] = {};
	bool init_flag = false;
	dsp::SimdPath simd_path = dsp::best_simd_path();
	const FastKernels *kernels = &get_fast_kernels(dsp::best_simd_path());
};
