// The render loop against real third-party plug-ins, with the record's
// function pointers wrapped to see exactly what the plug-in receives: the
// call order, exact block lengths, MIDI events at their offsets, the
// accumulating form with pre-filled buffers.
#include "ThirdParty.h"

#include "tools/plughost/DemoSignal.h"
#include "tools/plughost/Render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

using namespace plughost;

namespace
{

// What the plug-in was called with, in order.
struct Spy
{
	vst2::AEffectDispatcherProc dispatcher = nullptr;
	vst2::AEffectProcessProc replacing = nullptr;
	vst2::AEffectProcessProc accumulating = nullptr;
	vst2::AEffectSetParameterProc set_parameter = nullptr;
	std::vector<std::string> calls;
	std::vector<long> frames;
	std::vector<std::pair<long, int>> midi; // (block, offset)
	std::vector<int> midi_notes;
	long block = 0;
	std::vector<float> out0_before; // first output sample as each call begins
	std::vector<std::pair<float, float>> in_first; // in[0][0], in[1][0] of each call
};

Spy g_spy;

vst2::intptr spy_dispatcher(vst2::AEffect *e, vst2::int32 op, vst2::int32 index, vst2::intptr value, void *ptr,
                            float opt)
{
	switch (op)
	{
	case vst2::effOpen: g_spy.calls.push_back("open"); break;
	case vst2::effClose: g_spy.calls.push_back("close"); break;
	case vst2::effSetSampleRate: g_spy.calls.push_back("rate " + std::to_string(long(opt))); break;
	case vst2::effSetBlockSize: g_spy.calls.push_back("block " + std::to_string(long(value))); break;
	case vst2::effMainsChanged: g_spy.calls.push_back(value != 0 ? "resume" : "suspend"); break;
	case vst2::effStartProcess: g_spy.calls.push_back("start"); break;
	case vst2::effStopProcess: g_spy.calls.push_back("stop"); break;
	case vst2::effSetProgram: g_spy.calls.push_back("program " + std::to_string(long(value))); break;
	case vst2::effProcessEvents:
	{
		g_spy.calls.push_back("events");
		const auto *ev = static_cast<const vst2::VstEvents *>(ptr);
		const auto *const *slots = vst2::event_slots(ev);
		for (int i = 0; i < ev->numEvents; ++i)
		{
			const auto *m = reinterpret_cast<const vst2::VstMidiEvent *>(slots[i]);
			g_spy.midi.emplace_back(g_spy.block, m->deltaFrames);
			g_spy.midi_notes.push_back(m->midiData[1]);
		}
		break;
	}
	default: break;
	}
	return g_spy.dispatcher(e, op, index, value, ptr, opt);
}

void spy_replacing(vst2::AEffect *e, float **in, float **out, vst2::int32 n)
{
	g_spy.calls.push_back("replacing");
	g_spy.frames.push_back(n);
	if (e->numInputs >= 2 && n > 0)
	{
		g_spy.in_first.emplace_back(in[0][0], in[1][0]);
	}
	++g_spy.block;
	g_spy.replacing(e, in, out, n);
}

void spy_accumulating(vst2::AEffect *e, float **in, float **out, vst2::int32 n)
{
	g_spy.calls.push_back("accumulating");
	g_spy.frames.push_back(n);
	g_spy.out0_before.push_back(out[0][0]);
	++g_spy.block;
	g_spy.accumulating(e, in, out, n);
}

void spy_set_parameter(vst2::AEffect *e, vst2::int32 index, float v)
{
	g_spy.calls.push_back("param " + std::to_string(index));
	g_spy.set_parameter(e, index, v);
}

std::unique_ptr<PluginInstance> load_spied(const char *path, const RenderConfig &cfg)
{
	std::string err;
	auto lib = PluginLibrary::open(path, err);
	EXPECT_TRUE(lib) << err;
	if (!lib)
	{
		return nullptr;
	}
	auto p = PluginInstance::create(lib, err, [&](HostContext &h) { cfg.configure_host(h); });
	EXPECT_TRUE(p) << err;
	if (!p)
	{
		return nullptr;
	}
	g_spy = Spy{};
	vst2::AEffect *e = p->effect();
	g_spy.dispatcher = e->dispatcher;
	g_spy.replacing = e->processReplacing;
	g_spy.accumulating = e->process;
	g_spy.set_parameter = e->setParameter;
	e->dispatcher = spy_dispatcher;
	e->processReplacing = spy_replacing;
	e->process = spy_accumulating;
	e->setParameter = spy_set_parameter;
	return p;
}

AudioData noise_input(long frames, int channels)
{
	AudioData d;
	d.sample_rate = 44100;
	std::uint32_t s = 1;
	d.channels.assign(std::size_t(channels), std::vector<float>(std::size_t(frames)));
	for (auto &ch : d.channels)
	{
		for (auto &x : ch)
		{
			s = s * 1664525u + 1013904223u;
			x = float(s >> 8) / float(1 << 24) - 0.5f;
		}
	}
	return d;
}

// Output frames collected from the sink.
struct Collected
{
	std::vector<std::vector<float>> ch;
	int nbr = 0;
	std::function<bool(const float *const *, long)> sink()
	{
		return [this](const float *const *c, long n) {
			ch.resize(std::size_t(nbr));
			for (int k = 0; k < nbr; ++k)
			{
				ch[std::size_t(k)].insert(ch[std::size_t(k)].end(), c[k], c[k] + n);
			}
			return true;
		};
	}
};

std::vector<std::string> without_process(const std::vector<std::string> &calls)
{
	std::vector<std::string> out;
	for (const auto &c : calls)
	{
		if (c != "replacing" && c != "accumulating")
		{
			out.push_back(c);
		}
	}
	return out;
}

} // namespace

TEST(Render, CallsInTheDocumentedOrderWithExactBlocks)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	RenderConfig cfg;
	cfg.sample_rate = 48000;
	cfg.blocks.set_fixed(100);
	cfg.program = 0;
	ParamSetting s;
	std::string err;
	ASSERT_TRUE(parse_param_setting("Low=0.25", false, s, err));
	cfg.params.push_back(s);
	auto p = load_spied(plughost_test::kDpfEq, cfg);
	ASSERT_TRUE(p);
	ASSERT_TRUE(resolve_params(*p, cfg.params, err)) << err;
	EXPECT_EQ(cfg.params[0].index, 0);
	const AudioData in = noise_input(250, 2);
	RenderIo io;
	io.input = &in;
	RenderStats stats;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	p->close();
	EXPECT_EQ(g_spy.frames, (std::vector<long>{100, 100, 50}));
	EXPECT_EQ(without_process(g_spy.calls),
	          (std::vector<std::string>{"open", "rate 48000", "block 100", "resume", "start", "program 0", "param 0",
	                                    "stop", "suspend", "close"}));
	EXPECT_EQ(stats.frames, 250);
	EXPECT_EQ(stats.blocks, 3);
}

TEST(Render, BeforeResumeSetsProgramAndParametersFirst)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	RenderConfig cfg;
	cfg.blocks.set_fixed(64);
	cfg.program = 0;
	cfg.apply_before_resume = true;
	ParamSetting s;
	std::string err;
	ASSERT_TRUE(parse_param_setting("1=0.75", false, s, err));
	cfg.params.push_back(s);
	auto p = load_spied(plughost_test::kDpfEq, cfg);
	ASSERT_TRUE(p);
	ASSERT_TRUE(resolve_params(*p, cfg.params, err));
	const AudioData in = noise_input(64, 2);
	RenderIo io;
	io.input = &in;
	RenderStats stats;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	EXPECT_EQ(without_process(g_spy.calls),
	          (std::vector<std::string>{"open", "rate 44100", "block 64", "program 0", "param 1", "resume", "start",
	                                    "stop", "suspend"}));
	EXPECT_FLOAT_EQ(p->get_parameter(1), 0.75f);
}

TEST(Render, RandomBlockLengthsReachThePluginExactly)
{
	REQUIRE_PLUGIN(plughost_test::kLspEq);
	RenderConfig cfg;
	std::string err;
	ASSERT_TRUE(cfg.blocks.parse("random:1-700", err));
	cfg.blocks.set_seed(7);
	BlockPlan expected = cfg.blocks;
	auto p = load_spied(plughost_test::kLspEq, cfg);
	ASSERT_TRUE(p);
	const AudioData in = noise_input(20000, 2);
	Collected out;
	out.nbr = 2;
	RenderIo io;
	io.input = &in;
	io.sink = out.sink();
	RenderStats stats;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	ASSERT_FALSE(g_spy.frames.empty());
	long remaining = 20000;
	for (long n : g_spy.frames)
	{
		EXPECT_EQ(n, expected.next(remaining));
		remaining -= n;
	}
	EXPECT_EQ(remaining, 0);
	EXPECT_EQ(out.ch[0].size(), 20000u);
	EXPECT_EQ(stats.non_finite, 0);
	EXPECT_GT(stats.peak, 0.01f) << "the equalizer passes the noise";
	// LSP's entry function asks for the block size: answered from the start.
	bool asked = false;
	for (int i = 0; i < p->host().nbr_entry_calls(); ++i)
	{
		asked = asked || p->host().entry_call(i) == vst2::audioMasterGetBlockSize;
	}
	EXPECT_TRUE(asked);
}

TEST(Render, TailAddsSilenceAfterTheInput)
{
	REQUIRE_PLUGIN(plughost_test::kDpfReverb);
	RenderConfig cfg;
	cfg.blocks.set_fixed(512);
	cfg.tail_frames = 22050;
	auto p = load_spied(plughost_test::kDpfReverb, cfg);
	ASSERT_TRUE(p);
	const AudioData in = noise_input(4410, 2);
	Collected out;
	out.nbr = 2;
	RenderIo io;
	io.input = &in;
	io.sink = out.sink();
	RenderStats stats;
	std::string err;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	ASSERT_EQ(out.ch[0].size(), std::size_t(4410 + 22050));
	double tail_energy = 0;
	for (std::size_t i = 4410 + 2000; i < 4410 + 6000; ++i)
	{
		tail_energy += double(out.ch[0][i]) * out.ch[0][i];
	}
	EXPECT_GT(tail_energy, 1e-6) << "the reverb rings on in the tail";
}

TEST(Render, MidiEventsArriveBeforeTheirBlockAtTheirOffsets)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	RenderConfig cfg;
	cfg.blocks.set_fixed(128);
	std::vector<TimedMidi> ev;
	for (std::int64_t f : {0, 5, 127, 128, 300, 1000})
	{
		ev.push_back(TimedMidi{f, {0x90, static_cast<unsigned char>(f % 128), 64}});
	}
	MidiScheduler midi(std::move(ev));
	auto p = load_spied(plughost_test::kDpfEq, cfg);
	ASSERT_TRUE(p);
	const AudioData in = noise_input(1024, 2);
	RenderIo io;
	io.input = &in;
	io.midi = &midi;
	RenderStats stats;
	std::string err;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	EXPECT_EQ(g_spy.midi, (std::vector<std::pair<long, int>>{{0, 0}, {0, 5}, {0, 127}, {1, 0}, {2, 44}, {7, 104}}));
	EXPECT_EQ(g_spy.midi_notes, (std::vector<int>{0, 5, 127, 0, 44, 104}));
	// Each effProcessEvents comes right before the process call of its block.
	for (std::size_t i = 0; i + 1 < g_spy.calls.size(); ++i)
	{
		if (g_spy.calls[i] == "events")
		{
			EXPECT_EQ(g_spy.calls[i + 1], "replacing");
		}
	}
}

TEST(Render, PrefilledBuffersReachTheAccumulatingCall)
{
	REQUIRE_PLUGIN(plughost_test::kLspEq);
	const AudioData in = noise_input(3000, 2);
	const AudioData prefill = noise_input(3000, 2);
	auto run = [&](ProcessForm form, const AudioData *pre) {
		RenderConfig cfg;
		cfg.blocks.set_fixed(256);
		cfg.form = form;
		auto p = load_spied(plughost_test::kLspEq, cfg);
		Collected out;
		out.nbr = 2;
		RenderIo io;
		io.input = &in;
		io.prefill = pre;
		io.sink = out.sink();
		RenderStats stats;
		std::string err;
		EXPECT_TRUE(render(*p, cfg, io, stats, err)) << err;
		return out.ch;
	};
	const auto plain = run(ProcessForm::Replacing, nullptr);
	EXPECT_EQ(run(ProcessForm::Replacing, &prefill), plain) << "processReplacing overwrites what was there";
	run(ProcessForm::Accumulating, &prefill);
	ASSERT_EQ(g_spy.out0_before.size(), 12u);
	for (std::size_t b = 0; b < 12; ++b)
	{
		EXPECT_EQ(g_spy.out0_before[b], prefill.channels[0][b * 256]) << "block " << b;
	}
	run(ProcessForm::Accumulating, nullptr);
	for (float x : g_spy.out0_before)
	{
		EXPECT_EQ(x, 0.0f);
	}
}

TEST(Render, MonoOutputWritesTheFirstChannelOnly)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const AudioData in = noise_input(1000, 1);
	auto run = [&](int outputs) {
		RenderConfig cfg;
		cfg.connected_outputs = outputs;
		auto p = load_spied(plughost_test::kDpfEq, cfg);
		Collected out;
		out.nbr = used_outputs(*p->effect(), cfg);
		EXPECT_EQ(p->host().callback(p->effect(), vst2::audioMasterPinConnected, 1, 1, nullptr, 0),
		          outputs == 1 ? 1 : 0);
		RenderIo io;
		io.input = &in;
		io.sink = out.sink();
		RenderStats stats;
		std::string err;
		EXPECT_TRUE(render(*p, cfg, io, stats, err)) << err;
		return out.ch;
	};
	const auto mono = run(1);
	const auto stereo = run(1 << 30);
	ASSERT_EQ(mono.size(), 1u);
	ASSERT_EQ(stereo.size(), 2u);
	EXPECT_EQ(mono[0], stereo[0]);
}

TEST(Render, MonoInputMixesTheFileDownAndLeavesTheOtherPinSilent)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	AudioData in = noise_input(300, 2);
	RenderConfig cfg;
	cfg.blocks.set_fixed(100);
	cfg.connected_inputs = 1;
	auto p = load_spied(plughost_test::kDpfEq, cfg);
	ASSERT_TRUE(p);
	EXPECT_EQ(HostContext::callback(p->effect(), vst2::audioMasterPinConnected, 0, 0, nullptr, 0), 0);
	EXPECT_EQ(HostContext::callback(p->effect(), vst2::audioMasterPinConnected, 1, 0, nullptr, 0), 1);
	RenderIo io;
	io.input = &in;
	RenderStats stats;
	std::string err;
	ASSERT_TRUE(render(*p, cfg, io, stats, err)) << err;
	ASSERT_EQ(g_spy.in_first.size(), 3u);
	for (std::size_t b = 0; b < 3; ++b)
	{
		const float l = in.channels[0][b * 100];
		const float r = in.channels[1][b * 100];
		EXPECT_EQ(g_spy.in_first[b].first, (l + r) / 2.0f);
		EXPECT_EQ(g_spy.in_first[b].second, 0.0f);
	}
}

TEST(Render, FindsParametersByIndexExactNameAndAnyCase)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	std::string err;
	auto lib = PluginLibrary::open(plughost_test::kDpfEq, err);
	ASSERT_TRUE(lib) << err;
	auto p = PluginInstance::create(lib, err);
	ASSERT_TRUE(p) << err;
	EXPECT_EQ(p->find_param("4"), 4);
	EXPECT_EQ(p->find_param("Low-Mid Freq"), 4);
	EXPECT_EQ(p->find_param("low-mid freq"), 4);
	EXPECT_EQ(p->find_param("6"), -1);
	EXPECT_EQ(p->find_param("-1"), -1);
	EXPECT_EQ(p->find_param("Low-Mid"), -1);
	EXPECT_EQ(p->find_param(""), -1);
}
