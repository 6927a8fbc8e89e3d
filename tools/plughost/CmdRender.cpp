// plughost render PLUGIN.so [IN] OUT: processes a file, or the built-in demo
// input, through a plug-in into an audio file.
#include "tools/plughost/Args.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/DemoSignal.h"
#include "tools/plughost/Progress.h"
#include "tools/plughost/Render.h"

#include "basic/CLocale.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace plughost
{

namespace
{

const char kUsage[] =
	"usage: plughost render PLUGIN.so [IN] OUT [options]\n"
	"  IN, OUT                 .wav .flac .aiff .ogg; without IN the built-in demo is rendered\n"
	"  --program N|NAME        program to select\n"
	"  --param SEL=TEXT        parameter (index or name) set from text (effString2Parameter)\n"
	"  --norm SEL=VALUE        parameter set to a normalized value 0..1\n"
	"  --before-resume         set program and parameters before effMainsChanged(1) (no glide)\n"
	"  --rate HZ               sample rate (default: the input's, 44100 for the demo)\n"
	"  --block N|random:LO-HI  frames per process call, fixed or drawn per call (default 512)\n"
	"  --seed N                seed for random block sizes (default 1)\n"
	"  --process replacing|accumulate   process form (default replacing when the plug-in can)\n"
	"  --prefill zero|FILE     output buffers before each call (default zero)\n"
	"  --mono-in, --mono-out   connect only the first input / output pin\n"
	"  --tempo BPM             tempo in the time info (default 120)\n"
	"  --tail SECONDS          silence processed after the input (default 0)\n"
	"  --demo-seconds S        length of the demo input (default 8)\n"
	"  --offline               report the offline process level instead of realtime\n"
	"  --bits 16|24|float      sample format of WAV, AIFF and FLAC output\n"
	"  --midi FILE.mid         Standard MIDI File sent as VST MIDI events\n"
	"  --print-midi-out        list MIDI the plug-in sends to the host\n"
	"  --print-automation      list audioMasterAutomate calls\n"
	"  --quiet                 no progress bar and no summary\n";

int fail(const std::string &msg)
{
	std::fprintf(stderr, "plughost render: %s\n", msg.c_str());
	return 1;
}

} // namespace

int cmd_render(const std::vector<std::string> &argv)
{
	Args args;
	std::string err;
	const std::vector<OptionDef> specs = {
		{"program", true}, {"param", true}, {"norm", true}, {"before-resume", false}, {"rate", true},
		{"block", true}, {"seed", true}, {"process", true}, {"prefill", true}, {"mono-in", false},
		{"mono-out", false}, {"tempo", true}, {"tail", true}, {"demo-seconds", true}, {"offline", false},
		{"bits", true}, {"midi", true}, {"print-midi-out", false}, {"print-automation", false},
		{"quiet", false}, {"help", false},
	};
	if (!args.parse(argv, specs, err))
	{
		std::fprintf(stderr, "plughost render: %s\n%s", err.c_str(), kUsage);
		return 2;
	}
	if (args.has("help"))
	{
		std::fputs(kUsage, stdout);
		return 0;
	}
	const auto &pos = args.positional();
	if (pos.size() < 2 || pos.size() > 3)
	{
		std::fprintf(stderr, "plughost render: a plug-in and an output file are needed\n%s", kUsage);
		return 2;
	}
	const std::string plugin_path = pos[0];
	const std::string in_path = pos.size() == 3 ? pos[1] : "";
	const std::string out_path = pos.back();
	const bool quiet = args.has("quiet");

	RenderConfig cfg;
	double tail = 0.0;
	double demo_seconds = 8.0;
	long seed = 1;
	if (!args.get_double("tempo", cfg.tempo, 1, 999, err) || !args.get_double("tail", tail, 0, 3600, err) ||
	    !args.get_double("demo-seconds", demo_seconds, 0.01, 3600, err) ||
	    !args.get_long("seed", seed, 0, 0x7FFFFFFF, err))
	{
		return fail(err);
	}
	if (!cfg.blocks.parse(args.get("block", "512"), err))
	{
		return fail(err);
	}
	cfg.blocks.set_seed(std::uint64_t(seed));
	SampleEncoding enc = SampleEncoding::Default;
	if (args.has("bits") && !parse_encoding(args.get("bits"), enc))
	{
		return fail("--bits is 16, 24 or float");
	}
	cfg.apply_before_resume = args.has("before-resume");
	cfg.offline = args.has("offline");
	if (args.has("mono-in"))
	{
		cfg.connected_inputs = 1;
	}
	if (args.has("mono-out"))
	{
		cfg.connected_outputs = 1;
	}
	if (!parse_param_settings(args.all("param"), args.all("norm"), cfg.params, err))
	{
		return fail(err);
	}

	// Input: a file, or the demo at the chosen rate.
	AudioData input;
	if (!in_path.empty())
	{
		if (!read_audio_file(in_path, input, err))
		{
			return fail(err);
		}
		cfg.sample_rate = input.sample_rate;
		double rate = cfg.sample_rate;
		if (!args.get_double("rate", rate, 1000, 768000, err))
		{
			return fail(err);
		}
		if (rate != input.sample_rate)
		{
			return fail(in_path + " is at " + basic::c_format("%g", input.sample_rate) +
			            " Hz; plughost does not resample (leave out --rate)");
		}
	}
	else
	{
		if (!args.get_double("rate", cfg.sample_rate, 1000, 768000, err))
		{
			return fail(err);
		}
		DemoSignal demo;
		demo.sample_rate = cfg.sample_rate;
		demo.tempo = cfg.tempo;
		demo.seconds = demo_seconds;
		input.sample_rate = cfg.sample_rate;
		input.channels = demo.generate();
	}
	cfg.tail_frames = long(std::lround(tail * cfg.sample_rate));

	AudioData prefill;
	const std::string prefill_arg = args.get("prefill", "zero");
	if (prefill_arg != "zero" && !read_audio_file(prefill_arg, prefill, err))
	{
		return fail(err);
	}

	std::unique_ptr<MidiScheduler> midi;
	if (args.has("midi"))
	{
		std::vector<TimedMidi> events;
		if (!read_midi_file(args.get("midi"), cfg.sample_rate, events, err))
		{
			return fail(err);
		}
		midi = std::make_unique<MidiScheduler>(std::move(events));
		// The render lasts until the last event (the demo input is made longer).
		const long need = long(midi->last_frame()) + 1;
		if (in_path.empty() && need > input.frames())
		{
			DemoSignal demo;
			demo.sample_rate = cfg.sample_rate;
			demo.tempo = cfg.tempo;
			demo.seconds = double(need) / cfg.sample_rate;
			input.channels = demo.generate();
		}
		else if (need > input.frames() + cfg.tail_frames)
		{
			cfg.tail_frames = need - input.frames();
		}
	}

	auto lib = PluginLibrary::open(plugin_path, err);
	if (!lib)
	{
		return fail(err);
	}
	auto inst = PluginInstance::create(lib, err, [&](HostContext &h) { cfg.configure_host(h); });
	if (!inst)
	{
		return fail(err);
	}
	PluginInstance &p = *inst;
	const std::string form = args.get("process", p.can_replacing() ? "replacing" : "accumulate");
	if (form == "replacing")
	{
		cfg.form = ProcessForm::Replacing;
	}
	else if (form == "accumulate" || form == "accumulating")
	{
		cfg.form = ProcessForm::Accumulating;
	}
	else
	{
		return fail("--process is replacing or accumulate");
	}
	if (!resolve_params(p, cfg.params, err))
	{
		return fail(err);
	}
	if (args.has("program"))
	{
		p.open();
		cfg.program = find_program(p, args.get("program"));
		if (cfg.program < 0)
		{
			return fail("no program \"" + args.get("program") + "\" (the plug-in has " +
			            std::to_string(p.effect()->numPrograms) + ")");
		}
	}
	const int nbr_out = used_outputs(*p.effect(), cfg);
	if (nbr_out <= 0)
	{
		return fail("the plug-in has no audio outputs");
	}
	auto writer = AudioWriter::create(out_path, nbr_out, cfg.sample_rate, enc, err);
	if (!writer)
	{
		return fail(err);
	}

	Progress progress(stderr, !quiet);
	const bool print_midi = args.has("print-midi-out");
	std::size_t midi_printed = 0;
	RenderIo io;
	io.input = &input;
	io.prefill = prefill_arg == "zero" ? nullptr : &prefill;
	io.midi = midi.get();
	io.sink = [&](const float *const *ch, long n) { return writer->write(ch, n); };
	io.progress = [&](long done, long total) { progress.update(done, total); };
	io.after_block = [&](long) {
		if (!print_midi)
		{
			return;
		}
		HostContext &h = p.host();
		for (; midi_printed < h.nbr_midi_out(); ++midi_printed)
		{
			const MidiOutRecord &r = h.midi_out(midi_printed);
			std::string bytes;
			for (int k = 0; k < r.nbr_bytes; ++k)
			{
				bytes += basic::c_format(" %02X", r.bytes[k]);
			}
			std::printf("midi-out block %ld offset %d:%s\n", long(r.block), r.offset, bytes.c_str());
		}
	};
	RenderStats stats;
	const bool ok = render(p, cfg, io, stats, err);
	progress.finish();
	p.close();
	const bool closed = writer->close();
	if (!ok || !closed)
	{
		// No half-written file is left behind.
		std::remove(out_path.c_str());
		return fail(ok ? "finishing " + out_path + " failed" : err);
	}
	if (args.has("print-automation"))
	{
		HostContext &h = p.host();
		for (std::size_t i = 0; i < h.nbr_automation(); ++i)
		{
			const AutomationRecord &r = h.automation(i);
			std::fputs(basic::c_format("automate frame %ld parameter %d value %.6f\n", long(r.frame), r.index, double(r.value)).c_str(), stdout);
		}
	}
	if (midi && midi->dropped() > 0)
	{
		std::fprintf(stderr, "plughost render: %lu MIDI events dropped (more than %d in one block)\n",
		             (unsigned long)midi->dropped(), MidiScheduler::kCapacity);
	}
	if (p.host().midi_out_dropped() > 0)
	{
		std::fprintf(stderr, "plughost render: %lu MIDI events from the plug-in not recorded\n",
		             (unsigned long)p.host().midi_out_dropped());
	}
	if (!quiet)
	{
		const double peak_db = stats.peak > 0.0f ? 20.0 * std::log10(double(stats.peak)) : -HUGE_VAL;
		std::fputs(basic::c_format("%s: %ld frames, %d channel%s, %g Hz, %ld %s calls of %ld to %ld frames (%s), peak %.1f dBFS\n",
		                           out_path.c_str(), stats.frames, nbr_out, nbr_out == 1 ? "" : "s", cfg.sample_rate,
		                           stats.blocks, cfg.form == ProcessForm::Replacing ? "processReplacing" : "process",
		                           stats.min_block, stats.max_block, in_path.empty() ? "demo input" : in_path.c_str(),
		                           peak_db)
		               .c_str(),
		           stdout);
	}
	if (stats.non_finite > 0)
	{
		std::fprintf(stderr, "plughost render: warning: %ld output samples were NaN or infinite\n", stats.non_finite);
	}
	return 0;
}

} // namespace plughost
