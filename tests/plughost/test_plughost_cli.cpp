// plughost as a user runs it: the subcommands as subprocesses, on
// third-party plug-ins and, when it is built, on Brastoke.
#include "ThirdParty.h"

#include "tools/plughost/AudioFile.h"

#include <gtest/gtest.h>

#include <smf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace plughost;

namespace
{

struct CmdResult
{
	int status = -1;
	std::string out;
};

// Runs plughost with the arguments (shell-quoted here), stdout captured,
// stderr merged into it.
CmdResult run_plughost(const std::string &args)
{
	CmdResult r;
	const std::string cmd = std::string(PLUGHOST_PATH) + " " + args + " 2>&1";
	FILE *f = popen(cmd.c_str(), "r");
	if (f == nullptr)
	{
		return r;
	}
	char buf[4096];
	std::size_t n = 0;
	while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
	{
		r.out.append(buf, n);
	}
	const int st = pclose(f);
	r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
	return r;
}

std::string temp_path(const std::string &name)
{
	return "/tmp/plughost_cli_" + std::to_string(getpid()) + "_" + name;
}

bool contains(const std::string &text, const std::string &part)
{
	return text.find(part) != std::string::npos;
}

AudioData read_back(const std::string &path)
{
	AudioData d;
	std::string err;
	EXPECT_TRUE(read_audio_file(path, d, err)) << err;
	unlink(path.c_str());
	return d;
}

} // namespace

TEST(Cli, InfoOnADpfPluginThatExportsOnlyMain)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const CmdResult r = run_plughost(std::string("info ") + plughost_test::kDpfEq);
	ASSERT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, "entry            main (exports: main)")) << r.out;
	EXPECT_TRUE(contains(r.out, "effect name      \"3 Band EQ\""));
	EXPECT_TRUE(contains(r.out, "vendor           \"DISTRHO\""));
	EXPECT_TRUE(contains(r.out, "unique id        'D3EQ'"));
	EXPECT_TRUE(contains(r.out, "parameters       6"));
	EXPECT_TRUE(contains(r.out, "\"Low-Mid Freq\""));
	EXPECT_TRUE(contains(r.out, "\"Hz\""));
	EXPECT_TRUE(contains(r.out, "  receiveVstMidiEvent            no"));
}

TEST(Cli, InfoOnAnLspPluginThatCallsBackFromItsEntry)
{
	REQUIRE_PLUGIN(plughost_test::kLspEq);
	const CmdResult r = run_plughost(std::string("info ") + plughost_test::kLspEq);
	ASSERT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, "entry            VSTPluginMain"));
	EXPECT_TRUE(contains(r.out, "entry callbacks  audioMasterVersion, audioMasterGetBlockSize"));
	EXPECT_TRUE(contains(r.out, "parameters       157"));
	EXPECT_TRUE(contains(r.out, "ProgramChunks"));
	EXPECT_TRUE(contains(r.out, "\"ft_15\""));
}

TEST(Cli, RefusesWhatIsNotAPlugin)
{
	const std::string path = temp_path("not_a_plugin.so");
	FILE *f = fopen(path.c_str(), "w");
	ASSERT_NE(f, nullptr);
	fputs("not an ELF file\n", f);
	fclose(f);
	const CmdResult r = run_plughost("info " + path);
	unlink(path.c_str());
	EXPECT_EQ(r.status, 1);
	EXPECT_TRUE(contains(r.out, "cannot load")) << r.out;
	EXPECT_EQ(run_plughost("info").status, 2);
	EXPECT_EQ(run_plughost("frobnicate x.so").status, 2);
}

TEST(Cli, RenderWritesTheDemoWithTailAtTheChosenRate)
{
	REQUIRE_PLUGIN(plughost_test::kDpfReverb);
	const std::string out = temp_path("demo.flac");
	const CmdResult r = run_plughost(std::string("render ") + plughost_test::kDpfReverb + " " + out +
	                       " --rate 48000 --demo-seconds 2 --tail 0.5 --block random:1-999 --seed 5");
	ASSERT_EQ(r.status, 0) << r.out;
	const AudioData d = read_back(out);
	EXPECT_EQ(d.sample_rate, 48000);
	EXPECT_EQ(d.channels.size(), 2u);
	EXPECT_EQ(d.frames(), 2 * 48000 + 24000);
	EXPECT_TRUE(contains(r.out, "processReplacing calls of ")) << r.out;
}

TEST(Cli, RenderAFileMonoOutputAccumulating)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const std::string in = temp_path("in.wav");
	const std::string out = temp_path("out.aiff");
	ASSERT_EQ(run_plughost(std::string("render ") + plughost_test::kDpfEq + " " + in + " --demo-seconds 1 --quiet").status, 0);
	const CmdResult r = run_plughost(std::string("render ") + plughost_test::kDpfEq + " " + in + " " + out +
	                       " --mono-out --process accumulate --norm Master=0.4 --block 100");
	unlink(in.c_str());
	ASSERT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, "441 process calls of 100 to 100 frames")) << r.out;
	const AudioData d = read_back(out);
	EXPECT_EQ(d.channels.size(), 1u);
	EXPECT_EQ(d.frames(), 44100);
}

TEST(Cli, RenderRefusesBadOptionsBeforeWriting)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const std::string out = temp_path("never.wav");
	const std::string base = std::string("render ") + plughost_test::kDpfEq + " " + out;
	const CmdResult unknown = run_plughost(base + " --norm NoSuchParam=0.5");
	EXPECT_EQ(unknown.status, 1);
	EXPECT_TRUE(contains(unknown.out, "no parameter \"NoSuchParam\"")) << unknown.out;
	EXPECT_NE(run_plughost(base + " --block 0").status, 0);
	EXPECT_NE(run_plughost(base + " --norm Low=2").status, 0);
	EXPECT_NE(run_plughost(base + " --program 5").status, 0);
	EXPECT_NE(run_plughost(base + " --process sideways").status, 0);
	EXPECT_NE(run_plughost(base + " --param Low=3dB").status, 0) << "DPF refuses text: the tool says so";
	EXPECT_NE(run_plughost(std::string("render ") + plughost_test::kDpfEq + " " + temp_path("x.mp3")).status, 0);
	EXPECT_NE(access(out.c_str(), F_OK), 0);
}

TEST(Cli, RenderRunsUntilTheLastMidiEvent)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const std::string mid = temp_path("notes.mid");
	smf_t *smf = smf_new();
	smf_track_t *track = smf_track_new();
	smf_add_track(smf, track);
	const unsigned char on[3] = {0x90, 60, 100};
	const unsigned char off[3] = {0x80, 60, 0};
	smf_event_t *e1 = smf_event_new_from_pointer(const_cast<unsigned char *>(on), 3);
	smf_track_add_event_seconds(track, e1, 0.5);
	smf_event_t *e2 = smf_event_new_from_pointer(const_cast<unsigned char *>(off), 3);
	smf_track_add_event_seconds(track, e2, 3.0);
	ASSERT_EQ(smf_save(smf, mid.c_str()), 0);
	smf_delete(smf);
	const std::string out = temp_path("midi.wav");
	const CmdResult r = run_plughost(std::string("render ") + plughost_test::kDpfEq + " " + out +
	                       " --midi " + mid + " --demo-seconds 1 --print-midi-out");
	unlink(mid.c_str());
	ASSERT_EQ(r.status, 0) << r.out;
	const AudioData d = read_back(out);
	EXPECT_GE(d.frames(), 3 * 44100);
	EXPECT_LT(d.frames(), 3 * 44100 + 10);
}

TEST(Cli, RenderPlaysMidiThroughASynth)
{
	REQUIRE_PLUGIN(plughost_test::kDpfSynth);
	const std::string mid = temp_path("synth.mid");
	smf_t *smf = smf_new();
	smf_track_t *track = smf_track_new();
	smf_add_track(smf, track);
	for (int k = 0; k < 4; ++k)
	{
		const unsigned char on[3] = {0x90, static_cast<unsigned char>(48 + 7 * k), 110};
		smf_track_add_event_seconds(track, smf_event_new_from_pointer(const_cast<unsigned char *>(on), 3), 0.25 * k);
	}
	ASSERT_EQ(smf_save(smf, mid.c_str()), 0);
	smf_delete(smf);
	const std::string out = temp_path("synth.wav");
	const CmdResult r = run_plughost(std::string("render ") + plughost_test::kDpfSynth + " " + out + " --midi " + mid +
	                                 " --demo-seconds 1.5 --block random:16-300");
	unlink(mid.c_str());
	ASSERT_EQ(r.status, 0) << r.out;
	const AudioData d = read_back(out);
	ASSERT_EQ(d.channels.size(), 1u);
	float before = 0;
	float after = 0;
	for (long i = 0; i < d.frames(); ++i)
	{
		(i < 10 ? before : after) = std::max(i < 10 ? before : after, std::fabs(d.channels[0][std::size_t(i)]));
	}
	EXPECT_GT(after, 0.01f) << "the notes sounded";
}

#ifdef BRASTOKE_PLUGIN_PATH
TEST(Cli, InfoAndRenderOnBrastoke)
{
	const CmdResult info = run_plughost(std::string("info ") + BRASTOKE_PLUGIN_PATH);
	ASSERT_EQ(info.status, 0) << info.out;
	EXPECT_TRUE(contains(info.out, "effect name      \"Brastoke\"")) << info.out;
	EXPECT_TRUE(contains(info.out, "vendor           \"Dravimor\""));
	EXPECT_TRUE(contains(info.out, "inputs           2"));
	EXPECT_TRUE(contains(info.out, "outputs          2"));
	EXPECT_TRUE(contains(info.out, "parameters       8"));
	EXPECT_TRUE(contains(info.out, "programs         8"));
	const std::string out = temp_path("brastoke.wav");
	const CmdResult r = run_plughost(std::string("render ") + BRASTOKE_PLUGIN_PATH + " " + out +
	                       " --program 1 --demo-seconds 2 --block random:1-2048");
	ASSERT_EQ(r.status, 0) << r.out;
	const AudioData d = read_back(out);
	EXPECT_EQ(d.frames(), 2 * 44100);
	EXPECT_EQ(d.channels.size(), 2u);
}
#endif

// ---- validate and bench on the fixture plug-in, which has faults to switch on

namespace
{

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kInterposer = false; // sanitizers keep their own allocator hooks
#else
constexpr bool kInterposer = true;
#endif

CmdResult validate_fixture(const std::string &fault, const std::string &options)
{
	const std::string env = fault.empty() ? "" : "PLUGHOST_FIXTURE_FAULT=" + fault + " ";
	// The environment goes before the program in the shell command.
	CmdResult r;
	const std::string cmd = env + PLUGHOST_PATH + " validate " + FIXTURE_PATH + " " + options + " 2>/dev/null";
	FILE *f = popen(cmd.c_str(), "r");
	if (f == nullptr)
	{
		return r;
	}
	char buf[4096];
	std::size_t n = 0;
	while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
	{
		r.out.append(buf, n);
	}
	const int st = pclose(f);
	r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
	return r;
}

// The status word of a check's line ("ok", "warn", "FAIL", "skip"), or "".
std::string status_of(const std::string &out, const std::string &check)
{
	std::size_t pos = 0;
	while ((pos = out.find(check, pos)) != std::string::npos)
	{
		const std::size_t line = out.rfind('\n', pos) + 1;
		const std::size_t after = pos + check.size();
		if (pos > line && (after >= out.size() || out[after] == ' '))
		{
			return out.substr(line, out.find(' ', line) - line);
		}
		pos = after;
	}
	return "";
}

} // namespace

TEST(Validate, PassesACorrectPlugin)
{
	const CmdResult r = validate_fixture("", "--strictness 2");
	EXPECT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, " passed, 0 failed")) << r.out;
	EXPECT_EQ(status_of(r.out, "state.round-trip"), "ok");
	EXPECT_EQ(status_of(r.out, "realtime.process"), kInterposer ? "ok" : "skip");
	// The closing line is the last one.
	const auto last = r.out.rfind(" passed, ");
	ASSERT_NE(last, std::string::npos);
	EXPECT_EQ(r.out.find('\n', last), r.out.size() - 1);
}

struct FaultCase
{
	const char *fault;
	const char *only;    // checks run
	const char *failing; // the check that must fail
	bool needs_interposer;
};

class ValidateFault : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(ValidateFault, IsFoundByItsCheck)
{
	const FaultCase &c = GetParam();
	const std::string timeout = std::string(c.fault) == "hang" ? "2" : "60";
	const CmdResult r = validate_fixture(c.fault, "--strictness 2 --timeout " + timeout + " --only " + c.only);
	if (c.needs_interposer && !kInterposer)
	{
		EXPECT_EQ(status_of(r.out, c.failing), "skip") << r.out;
		return;
	}
	EXPECT_EQ(r.status, 1) << r.out;
	EXPECT_EQ(status_of(r.out, c.failing), "FAIL") << r.out;
}

INSTANTIATE_TEST_SUITE_P(
	Faults, ValidateFault,
	::testing::Values(FaultCase{"entry-callback", "entry", "entry.callbacks", false},
	                  FaultCase{"resvd1", "entry", "entry.record", false},
	                  FaultCase{"text-overrun", "entry.strings", "entry.strings", false},
	                  FaultCase{"outside", "process.rates-blocks", "process.rates-blocks", false},
	                  FaultCase{"inputs", "process.varying", "process.varying", false},
	                  FaultCase{"nan", "process.rates-blocks", "process.rates-blocks", false},
	                  FaultCase{"in-place", "process.in-place", "process.in-place", false},
	                  FaultCase{"fp-mode", "process.fp-mode", "process.fp-mode", false},
	                  FaultCase{"no-clamp", "params.values", "params.values", false},
	                  FaultCase{"narrow-chunk", "state.chunk-sizes", "state.chunk-sizes", false},
	                  FaultCase{"crash", "state.chunk-sizes", "state.chunk-sizes", false},
	                  FaultCase{"hang", "state.round-trip", "state.round-trip", false},
	                  FaultCase{"leak", "lifecycle", "lifecycle.open-close", false},
	                  FaultCase{"alloc", "realtime", "realtime.process", true},
	                  FaultCase{"lock", "realtime", "realtime.parameters", true}),
	[](const ::testing::TestParamInfo<FaultCase> &info) {
		std::string n = info.param.fault;
		for (auto &ch : n)
		{
			ch = ch == '-' ? '_' : ch;
		}
		return n;
	});

TEST(Validate, ACrashFailsOnlyItsCheckAndTheRunGoesOn)
{
	const CmdResult r = validate_fixture("crash", "--strictness 1 --only state,entry.symbols");
	EXPECT_EQ(r.status, 1);
	EXPECT_EQ(status_of(r.out, "state.chunk-sizes"), "FAIL");
	EXPECT_TRUE(contains(r.out, "crashed with signal 11") || contains(r.out, "exited with status")) << r.out;
	EXPECT_EQ(status_of(r.out, "state.chunk-random"), "ok") << r.out;
	EXPECT_TRUE(contains(r.out, "4 passed, 1 failed")) << r.out;
}

TEST(Validate, GermanLocaleFindsCommaDecimals)
{
	const CmdResult r = validate_fixture("locale", "--only params.locale");
	const std::string st = status_of(r.out, "params.locale");
	if (st == "skip")
	{
		GTEST_SKIP() << "no German locale installed";
	}
	EXPECT_EQ(st, "FAIL") << r.out;
	EXPECT_TRUE(contains(r.out, "-120,0")) << r.out;
}

TEST(Validate, SelectionAndSeed)
{
	const CmdResult only = validate_fixture("", "--only entry --skip entry.pins");
	EXPECT_EQ(only.status, 0);
	EXPECT_TRUE(contains(only.out, "5 passed, 0 failed")) << only.out;
	EXPECT_EQ(status_of(only.out, "entry.pins"), "");

	EXPECT_EQ(validate_fixture("", "--only nosuchcheck").status, 2);
	EXPECT_EQ(validate_fixture("", "--strictness 11").status, 2);
	const CmdResult list = run_plughost("validate --list");
	EXPECT_EQ(list.status, 0);
	EXPECT_TRUE(contains(list.out, "realtime.process"));

	// The same seed repeats every random choice (threads and heap figures aside).
	const std::string opts = "--strictness 1 --seed 77 --skip threads,lifecycle";
	const CmdResult a = validate_fixture("", opts);
	const CmdResult b = validate_fixture("", opts);
	EXPECT_EQ(a.out, b.out);
}

TEST(Validate, ReportsOnThirdPartyPlugins)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	REQUIRE_PLUGIN(plughost_test::kLspEq);
	for (const char *path : {plughost_test::kDpfEq, plughost_test::kLspEq})
	{
		const CmdResult r = run_plughost(std::string("validate ") + path +
		                                 " --strictness 1 --only entry,process.rates-blocks,state 2>/dev/null");
		EXPECT_TRUE(r.status == 0 || r.status == 1) << r.out;
		EXPECT_NE(status_of(r.out, "process.rates-blocks"), "") << r.out;
		EXPECT_TRUE(contains(r.out, " passed, ")) << r.out;
	}
}

TEST(Bench, MeasuresTwoPluginsInTurns)
{
	REQUIRE_PLUGIN(plughost_test::kDpfEq);
	const CmdResult r = run_plughost(std::string("bench ") + FIXTURE_PATH + " --vs " + plughost_test::kDpfEq +
	                                 " --seconds 0.2 --rounds 3 --norm Gain=0.25 --vs-norm Low=0.7 --block 256");
	ASSERT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, "A plughost_fixture.so")) << r.out;
	EXPECT_TRUE(contains(r.out, "B 3BandEQ-vst.so")) << r.out;
	EXPECT_TRUE(contains(r.out, "x real time"));
	EXPECT_TRUE(contains(r.out, "ratio A/B of medians: "));
	EXPECT_NE(run_plughost(std::string("bench ") + FIXTURE_PATH + " --norm NoSuch=0.5").status, 0);
	EXPECT_NE(run_plughost(std::string("bench ") + FIXTURE_PATH + " --vs /nonexistent.so").status, 0);
}

#ifdef BRASTOKE_PLUGIN_PATH
TEST(Validate, BrastokePassesAtFullStrictness)
{
	const CmdResult r = run_plughost(std::string("validate ") + BRASTOKE_PLUGIN_PATH + " --strictness 10");
	EXPECT_EQ(r.status, 0) << r.out;
	EXPECT_TRUE(contains(r.out, " passed, 0 failed")) << r.out;
}
#endif
