// The host's building blocks on their own: block plans, guarded text
// buffers, option parsing, the demo input, audio files, MIDI scheduling and
// the host callback's answers.
#include "tools/plughost/Args.h"
#include "tools/plughost/AudioFile.h"
#include "tools/plughost/BlockPlan.h"
#include "tools/plughost/DemoSignal.h"
#include "tools/plughost/GuardedText.h"
#include "tools/plughost/HostContext.h"
#include "tools/plughost/MidiInput.h"
#include "tools/plughost/ParamSetting.h"
#include "tools/plughost/RtMonitor.h"
#include "tools/plughost/validate/CheckSupport.h"
#include "tools/plughost/validate/Validator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <numeric>
#include <set>
#include <unistd.h>

using namespace plughost;

TEST(BlockPlan, FixedSizesAreExactAndTheLastIsShorter)
{
	BlockPlan plan;
	std::string err;
	ASSERT_TRUE(plan.parse("512", err));
	long remaining = 1300;
	std::vector<long> sizes;
	while (remaining > 0)
	{
		sizes.push_back(plan.next(remaining));
		remaining -= sizes.back();
	}
	EXPECT_EQ(sizes, (std::vector<long>{512, 512, 276}));
	EXPECT_EQ(plan.max_block(), 512);
	EXPECT_EQ(plan.next(0), 0);
}

TEST(BlockPlan, RandomSizesStayInRangeAndRepeatWithTheSeed)
{
	BlockPlan a;
	BlockPlan b;
	std::string err;
	ASSERT_TRUE(a.parse("random:3-17", err));
	ASSERT_TRUE(b.parse("random:3-17", err));
	a.set_seed(42);
	b.set_seed(42);
	std::vector<int> seen(18, 0);
	for (int i = 0; i < 2000; ++i)
	{
		const long n = a.next(1000000);
		ASSERT_GE(n, 3);
		ASSERT_LE(n, 17);
		EXPECT_EQ(n, b.next(1000000));
		++seen[std::size_t(n)];
	}
	for (int n = 3; n <= 17; ++n)
	{
		EXPECT_GT(seen[std::size_t(n)], 0) << "size " << n << " never drawn";
	}
	EXPECT_EQ(a.max_block(), 17);
	EXPECT_LE(a.next(2), 2);
}

TEST(BlockPlan, RejectsMalformedTexts)
{
	BlockPlan plan;
	std::string err;
	for (const char *bad : {"", "0", "-5", "abc", "random:", "random:9-3", "random:1-", "random:a-b", "2000000",
	                        "512x"})
	{
		EXPECT_FALSE(plan.parse(bad, err)) << bad;
	}
	EXPECT_EQ(plan.max_block(), 512) << "a refused text leaves the plan as it was";
	EXPECT_TRUE(plan.parse("random:1-1", err));
	EXPECT_FALSE(plan.is_random());
}

TEST(GuardedText, ReportsTextExtentAndOverrun)
{
	const GuardedText ok = read_guarded([](char *b) { std::strcpy(b, "Cutoff"); });
	EXPECT_EQ(ok.text, "Cutoff");
	EXPECT_TRUE(ok.terminated);
	EXPECT_TRUE(ok.guard_ok);
	EXPECT_EQ(ok.extent, 7u);

	const GuardedText padded = read_guarded([](char *b) { std::strncpy(b, "Hz", 64); });
	EXPECT_EQ(padded.text, "Hz");
	EXPECT_EQ(padded.extent, 64u) << "strncpy's zero padding counts as written";

	const GuardedText none = read_guarded([](char *) {});
	EXPECT_FALSE(none.written());
	EXPECT_FALSE(none.terminated);
	EXPECT_TRUE(none.text.empty());

	const GuardedText over = read_guarded([](char *b) { std::memset(b, 'x', 300); }, 256);
	EXPECT_FALSE(over.terminated);
	EXPECT_FALSE(over.guard_ok);
	EXPECT_EQ(over.text.size(), 256u);

	const GuardedText small = read_guarded([](char *b) { std::strcpy(b, "12345678"); }, 8);
	EXPECT_FALSE(small.terminated);
	EXPECT_FALSE(small.guard_ok) << "the terminator landed past an 8-byte buffer";
}

TEST(GuardedText, QuotesControlCharacters)
{
	EXPECT_EQ(quote_text("a\"b\\c\n"), "\"a\\\"b\\\\c\\x0A\"");
}

TEST(Args, ParsesValuesFlagsAndPositionals)
{
	Args a;
	std::string err;
	ASSERT_TRUE(a.parse({"x.so", "--rate", "48000", "--norm=3=0.5", "--norm", "Cut=1", "--quiet", "out.wav"},
	                    {{"rate", true}, {"norm", true}, {"quiet", false}}, err));
	EXPECT_EQ(a.positional(), (std::vector<std::string>{"x.so", "out.wav"}));
	EXPECT_EQ(a.all("norm"), (std::vector<std::string>{"3=0.5", "Cut=1"}));
	EXPECT_TRUE(a.has("quiet"));
	double rate = 0;
	EXPECT_TRUE(a.get_double("rate", rate, 1000, 192000, err));
	EXPECT_EQ(rate, 48000);
	long l = 7;
	EXPECT_FALSE(a.get_long("rate", l, 0, 100, err));
	EXPECT_EQ(l, 7);

	Args b;
	EXPECT_FALSE(b.parse({"--bogus"}, {{"rate", true}}, err));
	Args c;
	EXPECT_FALSE(c.parse({"--rate"}, {{"rate", true}}, err));
	Args d;
	EXPECT_FALSE(d.parse({"--quiet=1"}, {{"quiet", false}}, err));
}

TEST(Args, NumbersAreReadInTheCLocaleAndWhole)
{
	double v = 0;
	EXPECT_TRUE(parse_double("0.25", v));
	EXPECT_EQ(v, 0.25);
	EXPECT_FALSE(parse_double("0,25", v));
	EXPECT_FALSE(parse_double("1e400", v));
	EXPECT_FALSE(parse_double("nan", v));
	long l = 0;
	EXPECT_FALSE(parse_long("12a", l));
	EXPECT_FALSE(parse_long("99999999999999999999", l));
}

TEST(ParamSetting, SplitsAtTheFirstEqualsAndChecksNormalizedRange)
{
	ParamSetting s;
	std::string err;
	ASSERT_TRUE(parse_param_setting("Cutoff Freq=1000 Hz", true, s, err));
	EXPECT_EQ(s.selector, "Cutoff Freq");
	EXPECT_EQ(s.value, "1000 Hz");
	ASSERT_TRUE(parse_param_setting("3=a=b", true, s, err));
	EXPECT_EQ(s.value, "a=b");
	ASSERT_TRUE(parse_param_setting("3=1", false, s, err));
	EXPECT_EQ(s.normalized, 1.0f);
	EXPECT_FALSE(parse_param_setting("3=1.01", false, s, err));
	EXPECT_FALSE(parse_param_setting("3=-0.1", false, s, err));
	EXPECT_FALSE(parse_param_setting("=0.5", false, s, err));
	EXPECT_FALSE(parse_param_setting("Cutoff", true, s, err));
}

TEST(DemoSignal, IsStereoDeterministicAndBusy)
{
	DemoSignal demo;
	demo.sample_rate = 48000;
	demo.seconds = 4.0;
	const auto a = demo.generate();
	const auto b = demo.generate();
	ASSERT_EQ(a.size(), 2u);
	ASSERT_EQ(long(a[0].size()), 192000);
	EXPECT_EQ(a, b);
	EXPECT_NE(a[0], a[1]) << "the channels differ (detuned voices, panned hats)";
	float peak = 0;
	double energy = 0;
	long crossings = 0;
	for (std::size_t i = 0; i < a[0].size(); ++i)
	{
		peak = std::max(peak, std::fabs(a[0][i]));
		energy += double(a[0][i]) * a[0][i];
		crossings += (i > 0 && (a[0][i] >= 0) != (a[0][i - 1] >= 0)) ? 1 : 0;
	}
	EXPECT_NEAR(peak, 0.5f, 0.01f);
	EXPECT_GT(std::sqrt(energy / double(a[0].size())), 0.05) << "not mostly silence";
	EXPECT_EQ(a[0].front(), 0.0f) << "faded in";
	EXPECT_EQ(a[0].back(), 0.0f) << "faded out";
	// Noise bursts and harmonics: far more zero crossings than a low tone.
	EXPECT_GT(crossings, 4 * 2000);

	// Loudness changes over a beat: drums, not a steady tone.
	double rms_min = 1e9;
	double rms_max = 0;
	for (std::size_t w = 0; w + 1200 <= a[0].size(); w += 1200)
	{
		double e = 0;
		for (std::size_t i = w; i < w + 1200; ++i)
		{
			e += double(a[0][i]) * a[0][i];
		}
		rms_min = std::min(rms_min, e);
		rms_max = std::max(rms_max, e);
	}
	EXPECT_GT(rms_max, 8 * rms_min);
}

class AudioFileTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(AudioFileTest, WritesAndReadsBackEveryFormat)
{
	const std::string path = std::string("/tmp/plughost_test_") + std::to_string(getpid()) + "." + GetParam();
	std::string err;
	auto w = AudioWriter::create(path, 2, 44100, SampleEncoding::Default, err);
	ASSERT_TRUE(w) << err;
	std::vector<float> l(1000);
	std::vector<float> r(1000);
	for (int i = 0; i < 1000; ++i)
	{
		l[std::size_t(i)] = 0.5f * std::sin(float(i) * 0.05f);
		r[std::size_t(i)] = -l[std::size_t(i)];
	}
	const float *ch[2] = {l.data(), r.data()};
	ASSERT_TRUE(w->write(ch, 600));
	ASSERT_TRUE(w->write(ch, 400));
	ASSERT_TRUE(w->close());
	AudioData d;
	ASSERT_TRUE(read_audio_file(path, d, err)) << err;
	unlink(path.c_str());
	EXPECT_EQ(d.sample_rate, 44100);
	ASSERT_EQ(d.channels.size(), 2u);
	EXPECT_EQ(d.frames(), 1000);
	if (std::strcmp(GetParam(), "ogg") == 0)
	{
		return; // lossy: the length and layout are what count
	}
	// FLAC is 24-bit by default: within one step of 2^-23.
	EXPECT_NEAR(d.channels[0][100], l[100], 1e-6);
	EXPECT_NEAR(d.channels[1][100], r[100], 1e-6);
	EXPECT_NEAR(d.channels[0][700], l[100], 1e-6) << "the second block follows the first";
}

INSTANTIATE_TEST_SUITE_P(Formats, AudioFileTest, ::testing::Values("wav", "flac", "aiff", "ogg"));

TEST(AudioFile, RefusesUnknownExtensionsAndMissingFiles)
{
	std::string err;
	EXPECT_FALSE(AudioWriter::create("/tmp/x.mp3", 2, 44100, SampleEncoding::Default, err));
	EXPECT_FALSE(AudioWriter::create("/tmp/noext", 2, 44100, SampleEncoding::Default, err));
	EXPECT_FALSE(AudioWriter::create("/tmp/x.flac", 2, 44100, SampleEncoding::Float32, err));
	EXPECT_FALSE(AudioWriter::create("/nonexistent-dir/x.wav", 2, 44100, SampleEncoding::Default, err));
	AudioData d;
	d.sample_rate = 1;
	EXPECT_FALSE(read_audio_file("/nonexistent-dir/x.wav", d, err));
	EXPECT_EQ(d.sample_rate, 1) << "a failed read leaves the data alone";
}

namespace
{

std::vector<TimedMidi> events_at(std::initializer_list<std::int64_t> frames)
{
	std::vector<TimedMidi> ev;
	unsigned char note = 60;
	for (auto f : frames)
	{
		ev.push_back(TimedMidi{f, {0x90, note++, 100}});
	}
	return ev;
}

// The events of a VstEvents list, read as a plug-in reads them.
std::vector<std::pair<int, int>> offsets_and_notes(const vst2::VstEvents *ev)
{
	std::vector<std::pair<int, int>> out;
	const auto *const *slots = vst2::event_slots(ev);
	for (int i = 0; i < ev->numEvents; ++i)
	{
		EXPECT_EQ(slots[i]->type, vst2::kVstMidiType);
		EXPECT_EQ(slots[i]->byteSize, 32);
		const auto *m = reinterpret_cast<const vst2::VstMidiEvent *>(slots[i]);
		out.emplace_back(m->deltaFrames, (unsigned char)m->midiData[1]);
	}
	return out;
}

} // namespace

TEST(MidiScheduler, PlacesEventsAtTheirOffsetsInEachBlock)
{
	MidiScheduler s(events_at({0, 63, 64, 64, 200}));
	using V = std::vector<std::pair<int, int>>;
	EXPECT_EQ(offsets_and_notes(s.block(0, 64)), (V{{0, 60}, {63, 61}}));
	EXPECT_EQ(offsets_and_notes(s.block(64, 100)), (V{{0, 62}, {0, 63}}));
	EXPECT_EQ(offsets_and_notes(s.block(164, 36)), V{});
	EXPECT_EQ(offsets_and_notes(s.block(200, 1)), (V{{0, 64}}));
	EXPECT_EQ(s.block(201, 1000)->numEvents, 0);
	EXPECT_EQ(s.last_frame(), 200);
}

TEST(MidiScheduler, CountsWhatDoesNotFitInOneBlock)
{
	std::vector<TimedMidi> ev;
	for (int i = 0; i < MidiScheduler::kCapacity + 5; ++i)
	{
		ev.push_back(TimedMidi{10, {0x80, 60, 0}});
	}
	ev.push_back(TimedMidi{20, {0xF0, 0x7E, 0x00, 0xF7}});
	MidiScheduler s(std::move(ev));
	EXPECT_EQ(s.block(0, 15)->numEvents, MidiScheduler::kCapacity);
	EXPECT_EQ(s.dropped(), 5u);
	const vst2::VstEvents *sx = s.block(15, 10);
	ASSERT_EQ(sx->numEvents, 1);
	const auto *e = reinterpret_cast<const vst2::VstMidiSysexEvent *>(
		*reinterpret_cast<const vst2::VstEvent *const *>(reinterpret_cast<const char *>(sx) + 16));
	EXPECT_EQ(e->type, vst2::kVstSysExType);
	EXPECT_EQ(e->deltaFrames, 5);
	EXPECT_EQ(e->dumpBytes, 4);
	EXPECT_EQ((unsigned char)e->sysexDump[3], 0xF7);
}

TEST(HostContext, AnswersTheCallbacksPluginsAsk)
{
	using namespace vst2;
	HostContext h;
	AEffect fx{};
	fx.magic = kEffectMagic;
	fx.numParams = 9;
	h.sample_rate = 48000;
	h.block_size = 256;
	h.tempo = 90;
	h.connected_inputs = 1;
	h.attach(&fx);
	auto cb = [&](int32 op, int32 index = 0, intptr value = 0, void *ptr = nullptr, float opt = 0) {
		return HostContext::callback(&fx, op, index, value, ptr, opt);
	};
	EXPECT_EQ(cb(audioMasterVersion), 2400);
	EXPECT_EQ(cb(audioMasterGetSampleRate), 48000);
	EXPECT_EQ(cb(audioMasterGetBlockSize), 256);
	EXPECT_EQ(cb(audioMasterGetNumAutomatableParameters), 9);
	EXPECT_EQ(cb(audioMasterPinConnected, 0, 0), 0) << "input 0 connected";
	EXPECT_NE(cb(audioMasterPinConnected, 1, 0), 0) << "input 1 not connected (mono in)";
	EXPECT_EQ(cb(audioMasterPinConnected, 1, 1), 0) << "output 1 connected";
	EXPECT_NE(cb(audioMasterPinConnected, -1, 1), 0);
	EXPECT_EQ(cb(audioMasterCanDo, 0, 0, const_cast<char *>("sendVstTimeInfo")), 1);
	EXPECT_EQ(cb(audioMasterCanDo, 0, 0, const_cast<char *>("sizeWindow")), 0);
	EXPECT_EQ(cb(audioMasterCanDo, 0, 0, nullptr), 0);
	EXPECT_EQ(cb(audioMasterGetDirectory), 0);
	EXPECT_EQ(cb(audioMasterGetCurrentProcessLevel), 1) << "outside the audio calls";

	char vendor[64];
	std::memset(vendor, 'x', sizeof(vendor));
	EXPECT_EQ(cb(audioMasterGetVendorString, 0, 0, vendor), 1);
	EXPECT_STREQ(vendor, "Dravimor");
	char product[64];
	cb(audioMasterGetProductString, 0, 0, product);
	EXPECT_STREQ(product, "plughost");

	h.set_transport(96000, true, 3);
	const auto *ti = reinterpret_cast<const VstTimeInfo *>(cb(audioMasterGetTime, 0, kVstTempoValid));
	ASSERT_NE(ti, nullptr);
	EXPECT_EQ(ti->samplePos, 96000);
	EXPECT_EQ(ti->sampleRate, 48000);
	EXPECT_EQ(ti->tempo, 90);
	EXPECT_DOUBLE_EQ(ti->ppqPos, 3.0) << "2 s at 90 bpm";
	EXPECT_EQ(ti->barStartPos, 0.0);
	EXPECT_EQ(ti->timeSigNumerator, 4);
	EXPECT_TRUE(ti->flags & kVstTempoValid);
	EXPECT_TRUE(ti->flags & kVstPpqPosValid);
	EXPECT_TRUE(ti->flags & kVstTransportPlaying);
	EXPECT_TRUE(ti->flags & kVstTransportChanged) << "first playing block";
	h.set_transport(96256, true, 4);
	EXPECT_FALSE(ti->flags & kVstTransportChanged);
	h.set_transport(96000 * 3, true, 5);
	EXPECT_EQ(ti->barStartPos, 8.0) << "6 s at 90 bpm is beat 9, in the bar from beat 8";

	cb(audioMasterAutomate, 4, 0, nullptr, 0.25f);
	ASSERT_EQ(h.nbr_automation(), 1u);
	EXPECT_EQ(h.automation(0).index, 4);
	EXPECT_EQ(h.automation(0).value, 0.25f);

	VstMidiEvent m{};
	m.type = kVstMidiType;
	m.byteSize = 32;
	m.deltaFrames = 17;
	m.midiData[0] = char(0xB0);
	m.midiData[1] = 7;
	m.midiData[2] = 99;
	struct
	{
		VstEvents head;
	} list{};
	list.head.numEvents = 1;
	list.head.events[0] = reinterpret_cast<VstEvent *>(&m);
	cb(audioMasterProcessEvents, 0, 0, &list.head);
	ASSERT_EQ(h.nbr_midi_out(), 1u);
	EXPECT_EQ(h.midi_out(0).block, 5);
	EXPECT_EQ(h.midi_out(0).offset, 17);
	EXPECT_EQ(h.midi_out(0).nbr_bytes, 3);
	EXPECT_EQ(h.midi_out(0).bytes[2], 99);
	h.detach();
}

TEST(HostContext, LogsTheCallsMadeDuringTheEntry)
{
	HostContext h;
	h.begin_entry();
	HostContext::callback(nullptr, vst2::audioMasterVersion, 0, 0, nullptr, 0);
	HostContext::callback(nullptr, vst2::audioMasterGetBlockSize, 0, 0, nullptr, 0);
	h.end_entry();
	HostContext::callback(nullptr, vst2::audioMasterIdle, 0, 0, nullptr, 0);
	ASSERT_EQ(h.nbr_entry_calls(), 2);
	EXPECT_EQ(h.entry_call(0), vst2::audioMasterVersion);
	EXPECT_EQ(h.entry_call(1), vst2::audioMasterGetBlockSize);
}

TEST(HostContext, ReportsTheProcessLevelOfTheAudioThread)
{
	HostContext h;
	vst2::AEffect fx{};
	h.attach(&fx);
	h.audio_process_level = 4;
	EXPECT_EQ(HostContext::callback(&fx, vst2::audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0), 1);
	{
		RtScope audio;
		EXPECT_EQ(HostContext::callback(&fx, vst2::audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0), 4);
	}
	EXPECT_EQ(HostContext::callback(&fx, vst2::audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0), 1);
	h.detach();
	// A detached record falls back to the shared default context.
	EXPECT_EQ(HostContext::callback(&fx, vst2::audioMasterGetBlockSize, 0, 0, nullptr, 0), 1024);
}

TEST(ValidatorSelection, NamesAndGroups)
{
	EXPECT_TRUE(name_matches("state.round-trip", "state"));
	EXPECT_TRUE(name_matches("state.round-trip", "state.round-trip"));
	EXPECT_FALSE(name_matches("state.round-trip", "stat"));
	EXPECT_FALSE(name_matches("state.round-trip", "state.round"));
	ValidateOptions opt;
	std::string err;
	opt.only = {"entry", "state.restore"};
	opt.skip = {"entry.pins"};
	const auto sel = select_checks(opt, err);
	std::vector<std::string> names;
	for (const Check *c : sel)
	{
		names.push_back(c->name);
	}
	EXPECT_EQ(std::count(names.begin(), names.end(), "entry.pins"), 0);
	EXPECT_EQ(std::count(names.begin(), names.end(), "state.restore"), 1);
	EXPECT_EQ(std::count(names.begin(), names.end(), "state.round-trip"), 0);
	EXPECT_EQ(names.front(), "entry.symbols") << "running order kept";
	opt.skip = {"no.such"};
	EXPECT_TRUE(select_checks(opt, err).empty());
	EXPECT_NE(err.find("no.such"), std::string::npos);
	// Check names are unique.
	std::set<std::string> unique;
	for (const auto &c : all_checks())
	{
		EXPECT_TRUE(unique.insert(c.name).second) << c.name;
	}
}

TEST(JudgeText, FailsOverrunsAndWarnsOnLongTexts)
{
	std::vector<std::string> fails;
	std::vector<std::string> warns;
	judge_text(read_guarded([](char *b) { std::strcpy(b, "1000"); }), 8, "display", fails, warns);
	EXPECT_TRUE(fails.empty());
	EXPECT_TRUE(warns.empty());
	judge_text(read_guarded([](char *b) { std::strncpy(b, "Hz", 8); }), 8, "label", fails, warns);
	EXPECT_TRUE(fails.empty()) << "padding up to the old size is allowed";
	judge_text(read_guarded([](char *b) { std::strcpy(b, "Cutoff Freq"); }), 8, "name", fails, warns);
	EXPECT_TRUE(fails.empty());
	EXPECT_EQ(warns.size(), 1u) << "longer than the old size: a warning";
	judge_text(read_guarded([](char *b) { std::strncpy(b, "Hz", 24); }), 8, "label", fails, warns);
	EXPECT_EQ(fails.size(), 1u) << "padding past both the text and the old size";
	judge_text(read_guarded([](char *b) { std::memset(b, 'x', 256); }), 8, "display", fails, warns);
	EXPECT_EQ(fails.size(), 2u) << "no terminator";
	judge_text(read_guarded([](char *) {}), 8, "unanswered", fails, warns);
	EXPECT_EQ(fails.size(), 2u);
}
