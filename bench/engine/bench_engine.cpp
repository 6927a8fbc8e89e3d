// Cost of the engine per stereo frame, driven directly (no host binding).
// Counters: "ns/frame" is CPU time per sample frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "effect/FastKernels.h"
#include "effect/VorluneDsp.h"
#include "plegg/HostDspInterface.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/TimeInfo.h"

namespace
{

class BenchHost : public plegg::HostDspInterface
{
public:
	explicit BenchHost(bool stereo) : stereo(stereo) {}
	int init() override { return 0; }
	double get_property(const char *) const override { return 0.0; }
	void get_time_info(plegg::TimeInfo &) const override {}
	bool is_input_connected(int, int chn) const override { return chn == 0 || stereo; }
	bool is_output_connected(int, int chn) const override { return chn == 0 || stereo; }
	plegg::MidiMgr *use_midi_interface() override { return nullptr; }

private:
	bool stereo;
};

constexpr long TOTAL = 1 << 16; // frames rendered per iteration

struct Setup
{
	int nbr_bands = 1;
	float rate = 44100.0f;
	long block = 512;
	bool pre = false;
	bool stereo = true;
	bool glide = false;   // cutoff gliding all along
	bool silence = false; // silence after a burst of noise
	long frames = TOTAL;  // rendered per iteration
	dsp::SimdPath path = dsp::best_simd_path();
};

void run(benchmark::State &state, const Setup &s)
{
	BenchHost host(s.stereo);
	auto dsp = std::make_unique<VorluneDsp>();
	dsp->set_host(host);
	dsp->init();
	dsp->set_default_state();
	dsp->set_sample_freq(s.rate);
	dsp->set_simd_path(s.path);
	auto set = [&](int i, float v) { dsp->get_param_ref(i).change_norm(v); };
	set(VorluneDsp::PARAM_NBR_BAND, (float)(s.nbr_bands - 1) / 15.0f);
	set(VorluneDsp::PARAM_HARM_FACTOR, 0.0f);
	set(VorluneDsp::PARAM_DISTO_ROUTING, s.pre ? 0.0f : 1.0f);
	dsp->clear_buffers();

	std::vector<float> in_l(TOTAL), in_r(TOTAL), out_l(TOTAL), out_r(TOTAL);
	std::mt19937 gen(1);
	std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
	for (long i = 0; i < TOTAL; ++i) {
		in_l[i] = dist(gen);
		in_r[i] = dist(gen);
	}
	auto render = [&]() {
		for (long pos = 0; pos < s.frames; pos += s.block) {
			const float *ip[2] = {in_l.data() + pos, in_r.data() + pos};
			float *op[2] = {out_l.data() + pos, out_r.data() + pos};
			dsp->do_process_replacing(op, ip, s.block, false);
		}
	};
	if (s.silence) {
		render();
		std::fill(in_l.begin(), in_l.end(), 0.0f);
		std::fill(in_r.begin(), in_r.end(), 0.0f);
	}

	int turn = 0;
	for (auto _ : state) {
		if (s.glide) {
			state.PauseTiming();
			set(VorluneDsp::PARAM_CUTOFF, (turn++ & 1) ? 0.3f : 0.7f);
			state.ResumeTiming();
		}
		render();
		benchmark::DoNotOptimize(out_l.data());
		benchmark::ClobberMemory();
	}
	state.counters["ns/frame"] = benchmark::Counter((double)s.frames * (double)state.iterations(),
	                                                benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Engine(benchmark::State &state)
{
	Setup s;
	s.nbr_bands = (int)state.range(0);
	s.rate = (float)state.range(1);
	s.block = state.range(2);
	s.pre = state.range(3) != 0;
	s.stereo = state.range(4) != 0;
	run(state, s);
}

// One signal path (stereo, Post, 44100 Hz, blocks of 512) on each
// implementation: the plain scalar code, SSE2 (every x86_64 processor) and
// AVX2 where the processor has it.
void BM_EnginePath(benchmark::State &state)
{
	Setup s;
	s.path = (dsp::SimdPath)state.range(0);
	s.nbr_bands = (int)state.range(1);
	if (!dsp::is_simd_path_supported(s.path)) {
		state.SkipWithError("not supported by this processor");
		return;
	}
	run(state, s);
}

void BM_CutoffGlide(benchmark::State &state)
{
	Setup s;
	s.nbr_bands = 16;
	s.block = state.range(0);
	s.glide = true;
	s.frames = 4096; // within the 4410 frames of a glide at 44100 Hz
	run(state, s);
}

void BM_SilenceAfterNoise(benchmark::State &state)
{
	Setup s;
	s.nbr_bands = 16;
	s.silence = state.range(0) != 0;
	run(state, s);
}

// The distortion's arctangent alone, per sample: the library's std::atan in
// the scalar formula, and the vector kernels (exact through their fallback).
void BM_DistoArctangent(benchmark::State &state)
{
	const int path = (int)state.range(0);
	constexpr long N = 4096;
	std::vector<float> src(N), dst(N);
	std::mt19937 gen(1);
	std::uniform_real_distribution<float> dist(-1.5f, 1.5f);
	for (float &v : src)
		v = dist(gen);
	const float f = 1.5707964f;
	for (auto _ : state) {
		if (path == 0) {
			for (long i = 0; i < N; ++i)
				dst[i] = (float)(std::atan((double)(f * src[i])) * 0.6366197723675814);
		} else {
			get_fast_kernels(path == 2 ? dsp::SimdPath::AVX2 : dsp::SimdPath::SSE2)
				.disto_float(dst.data(), src.data(), N, f, false);
		}
		benchmark::DoNotOptimize(dst.data());
		benchmark::ClobberMemory();
	}
	state.counters["ns/sample"] = benchmark::Counter((double)N * (double)state.iterations(),
	                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

// Scalar, SSE2, AVX2.
BENCHMARK(BM_DistoArctangent)->ArgName("path")->Arg(0)->Arg(1)->Arg(2);
// Bands, rate, block, pre, stereo.
BENCHMARK(BM_Engine)
	->ArgNames({"bands", "rate", "block", "pre", "stereo"})
	->ArgsProduct({{1, 8, 16}, {44100, 96000}, {64, 512}, {0, 1}, {0, 1}})
	->Unit(benchmark::kMicrosecond);
// Path (as dsp::SimdPath: scalar, SSE2, AVX2), bands.
BENCHMARK(BM_EnginePath)
	->ArgNames({"path", "bands"})
	->ArgsProduct({{(long)dsp::SimdPath::SCALAR, (long)dsp::SimdPath::SSE2, (long)dsp::SimdPath::AVX2}, {1, 16}})
	->Unit(benchmark::kMicrosecond);
// Every iteration starts a new glide and renders inside it: the low-pass and
// all 15 bands are recomputed at every tick.
BENCHMARK(BM_CutoffGlide)->ArgName("block")->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SilenceAfterNoise)->ArgName("silence")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
