// A host stand-in and helpers to drive the engine directly in tests.
#pragma once

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "effect/VorluneDsp.h"
#include "plegg/HostDspInterface.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/TimeInfo.h"

class FakeHostDsp : public plegg::HostDspInterface
{
public:
	int init() override
	{
		++init_count;
		return 0;
	}
	double get_property(const char *) const override { return 0.0; }
	void get_time_info(plegg::TimeInfo &ti) const override { ti.no_info = true; }
	bool is_input_connected(int pin, int chn) const override { return pin == 0 && (chn == 0 || (chn == 1 && in_stereo)); }
	bool is_output_connected(int pin, int chn) const override { return pin == 0 && (chn == 0 || (chn == 1 && out_stereo)); }
	plegg::MidiMgr *use_midi_interface() override { return nullptr; }

	bool in_stereo = true;
	bool out_stereo = true;
	int init_count = 0;
};

// An engine assembled as the host binding does it, at a given rate.
struct Engine
{
	explicit Engine(bool in_stereo = true, bool out_stereo = true, float rate = 44100.0f)
	{
		host.in_stereo = in_stereo;
		host.out_stereo = out_stereo;
		dsp->set_host(host);
		dsp->init();
		dsp->set_default_state();
		dsp->set_sample_freq(rate);
		dsp->clear_buffers();
	}

	void set(int index, float norm) { dsp->get_param_ref(index).change_norm(norm); }

	FakeHostDsp host;
	std::unique_ptr<VorluneDsp> dsp = std::make_unique<VorluneDsp>();
};

// Two channels of samples.
struct Stereo
{
	explicit Stereo(long n, float fill = 0.0f) : l(n, fill), r(n, fill) {}
	long size() const { return (long)l.size(); }
	std::vector<float> l, r;
};

inline Stereo make_noise(long n, unsigned seed, float amp = 0.5f)
{
	std::mt19937 gen(seed);
	std::uniform_real_distribution<float> dist(-amp, amp);
	Stereo s(n);
	for (long i = 0; i < n; ++i) {
		s.l[i] = dist(gen);
		s.r[i] = dist(gen);
	}
	return s;
}

// Processes `in` into `out` in blocks of `block` samples.
inline void render(VorluneDsp &dsp, Stereo &out, const Stereo &in, long block, bool mix = false)
{
	for (long pos = 0; pos < in.size(); pos += block) {
		const long len = std::min(block, in.size() - pos);
		const float *ip[2] = {in.l.data() + pos, in.r.data() + pos};
		float *op[2] = {out.l.data() + pos, out.r.data() + pos};
		if (mix)
			dsp.do_process_mix(op, ip, len, false);
		else
			dsp.do_process_replacing(op, ip, len, false);
	}
}

inline bool same_bits(const std::vector<float> &a, const std::vector<float> &b)
{
	return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

inline bool is_clean(const std::vector<float> &v)
{
	for (float s : v) {
		if (!std::isfinite(s) || (s != 0.0f && std::fabs(s) < 1.17549435e-38f))
			return false;
	}
	return true;
}
