// The engine as hosts reach it: through the built plug-in's VST 2 entry.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "plegg/ProgramSlot.h"
#include "tests/effect/EngineFixture.h"
#include "tests/host/PluginHarness.h"

using test::PluginHarness;

namespace
{

struct Connections
{
	bool in_stereo, out_stereo;
};

// Restores the harness's pin answers when a test ends.
struct PinGuard
{
	PinGuard(Connections c)
	{
		PluginHarness::second_input_connected = c.in_stereo;
		PluginHarness::second_output_connected = c.out_stereo;
	}
	~PinGuard()
	{
		PluginHarness::second_input_connected = true;
		PluginHarness::second_output_connected = true;
	}
};

void process(vst2::AEffect *fx, Stereo &out, const Stereo &in, long pos, long len, bool mix)
{
	float *ip[2] = {const_cast<float *>(in.l.data()) + pos, const_cast<float *>(in.r.data()) + pos};
	float *op[2] = {out.l.data() + pos, out.r.data() + pos};
	if (mix)
		fx->process(fx, ip, op, (vst2::int32)len);
	else
		fx->processReplacing(fx, ip, op, (vst2::int32)len);
}

void render_fx(vst2::AEffect *fx, Stereo &out, const Stereo &in, long block, bool mix)
{
	for (long pos = 0; pos < in.size(); pos += block)
		process(fx, out, in, pos, std::min(block, in.size() - pos), mix);
}

// Opens an instance at a rate, lets the deferred reset run with a first
// block of silence, then sets the parameters so that they glide.
// at_open receives the values the instance opened with.
vst2::AEffect *start(PluginHarness &host, float rate, const std::vector<float> &params,
                     std::vector<float> *at_open = nullptr)
{
	vst2::AEffect *fx = host.open();
	if (fx == nullptr)
		return nullptr;
	if (at_open != nullptr)
		*at_open = PluginHarness::params(fx);
	PluginHarness::dispatch(fx, vst2::effSetSampleRate, 0, 0, nullptr, rate);
	PluginHarness::dispatch(fx, vst2::effSetBlockSize, 0, 4096);
	PluginHarness::dispatch(fx, vst2::effMainsChanged, 0, 1);
	Stereo z(64);
	render_fx(fx, z, Stereo(64), 64, false);
	for (size_t i = 0; i < params.size(); ++i)
		fx->setParameter(fx, (vst2::int32)i, params[i]);
	return fx;
}

const std::vector<float> BUSY = {0.45f, 0.35f, 0.6f, 0.4f, 0.0f, 0.3f, 0.65f, 0.7f};

TEST(EnginePlugin, EveryPathInBothFormsMatchesTheEngineDrivenDirectly)
{
	const Connections conns[] = {{true, true}, {false, true}, {true, false}, {false, false}};
	for (const Connections &c : conns) {
		PinGuard pins(c);
		for (float routing : {0.0f, 1.0f}) {
			for (bool mix : {false, true}) {
				std::vector<float> params = BUSY;
				params[VorluneDsp::PARAM_DISTO_ROUTING] = routing;
				PluginHarness host;
				std::vector<float> at_open;
				vst2::AEffect *fx = start(host, 48000.0f, params, &at_open);
				ASSERT_NE(fx, nullptr);

				// The same engine, the same calls, without the host binding.
				Engine e(c.in_stereo, c.out_stereo, 48000.0f);
				plegg::ProgramSlot opened;
				opened.set_nbr_param(8);
				for (int i = 0; i < 8; ++i)
					opened.set_parameter(i, at_open[i]);
				e.dsp->do_set_program(opened);
				e.dsp->clear_buffers();
				Stereo z(64);
				render(*e.dsp, z, Stereo(64), 64);
				for (int i = 0; i < 8; ++i)
					e.set(i, params[i]);

				const Stereo in = make_noise(6000, 17);
				Stereo via_fx(in.size(), 0.125f), direct(in.size(), 0.125f);
				render_fx(fx, via_fx, in, 500, mix);
				render(*e.dsp, direct, in, 500, mix);
				const char *what = mix ? "process" : "processReplacing";
				for (long i = 0; i < in.size(); ++i) {
					if (via_fx.l[i] != direct.l[i]) {
						ADD_FAILURE() << "first difference at " << i << ": " << via_fx.l[i] << " vs " << direct.l[i];
						break;
					}
				}

				EXPECT_TRUE(same_bits(via_fx.l, direct.l)) << what << " routing " << routing << " in " << c.in_stereo << " out " << c.out_stereo;
				if (c.out_stereo) {
					EXPECT_TRUE(same_bits(via_fx.r, direct.r)) << what;
					if (!c.in_stereo) {
						EXPECT_TRUE(same_bits(via_fx.l, via_fx.r)) << what;
					}
				} else {
					for (float s : via_fx.r)
						ASSERT_EQ(s, 0.125f) << what; // the unconnected output is untouched
				}
				EXPECT_TRUE(is_clean(via_fx.l));
				host.close(fx);
			}
		}
	}
}

TEST(EnginePlugin, BlocksOf64GiveTheSameBitsAsLargerMultiples)
{
	const Stereo in = make_noise(16384, 23);
	std::vector<Stereo> outs;
	for (long block : {64L, 128L, 512L, 4096L}) {
		PluginHarness host;
		vst2::AEffect *fx = start(host, 44100.0f, BUSY);
		ASSERT_NE(fx, nullptr);
		Stereo out(in.size());
		render_fx(fx, out, in, block, false);
		outs.push_back(out);
		host.close(fx);
	}
	for (size_t i = 1; i < outs.size(); ++i) {
		EXPECT_TRUE(same_bits(outs[0].l, outs[i].l)) << i;
		EXPECT_TRUE(same_bits(outs[0].r, outs[i].r)) << i;
	}
}

TEST(EnginePlugin, ExtremesStayCleanAtEveryRateAndBlockSize)
{
	PluginHarness host;
	const long blocks[] = {1, 64, 333, 4096};
	int combo = 0;
	for (float rate : {4000.0f, 22050.0f, 44100.0f, 96000.0f}) {
		for (int bits = 0; bits < 256; bits += 37) {
			std::vector<float> params(8);
			for (int i = 0; i < 8; ++i)
				params[i] = ((bits >> i) & 1) ? 1.0f : 0.0f;
			vst2::AEffect *fx = start(host, rate, params);
			ASSERT_NE(fx, nullptr);
			const long block = blocks[combo++ % 4];
			const Stereo in = make_noise(block == 1 ? 3000 : 9000, bits, 1.0f);
			Stereo out(in.size());
			render_fx(fx, out, in, block, (bits & 4) != 0);
			ASSERT_TRUE(is_clean(out.l)) << rate << " Hz, params " << bits << ", blocks of " << block;
			ASSERT_TRUE(is_clean(out.r)) << rate << " Hz, params " << bits << ", blocks of " << block;
			host.close(fx);
		}
	}
}

TEST(EnginePlugin, CallersFloatingPointModeIsRestored)
{
	PluginHarness host;
	vst2::AEffect *fx = start(host, 44100.0f, BUSY);
	ASSERT_NE(fx, nullptr);
	const Stereo in = make_noise(256, 2);
	Stereo out(in.size());
	const unsigned int saved = _mm_getcsr();
	for (unsigned int mode : {saved & ~0x8040u, (saved & ~0x6000u) | 0x4000u}) {
		for (bool mix : {false, true}) {
			_mm_setcsr(mode);
			render_fx(fx, out, in, 256, mix);
			const unsigned int after = _mm_getcsr();
			_mm_setcsr(saved);
			EXPECT_EQ(after & ~0x3Fu, mode & ~0x3Fu);
		}
	}
	host.close(fx);
}

} // namespace
