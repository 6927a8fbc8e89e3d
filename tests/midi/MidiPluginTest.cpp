// The built plug-in driven through its entry as a host drives it: MIDI
// controllers move parameters and the sound, host automation yields to
// them for half a second, program changes go out as NRPNs, and the per-user
// preferences are created where they belong or done without.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/host/PluginHarness.h"
#include "tests/midi/HostLog.h"
#include "tests/midi/TempConfig.h"

using miditest::Bytes;
using miditest::EventList;
using miditest::HostLog;
using miditest::TempConfig;
using test::PluginHarness;
using namespace vst2;

namespace
{

class Instance
{
public:
	explicit Instance(PluginHarness &h)
	{
		PluginHarness::Entry entry = h.entry();
		EXPECT_NE(entry, nullptr);
		fx = entry != nullptr ? entry(&HostLog::callback) : nullptr;
		EXPECT_NE(fx, nullptr);
		if (fx != nullptr)
		{
			PluginHarness::dispatch(fx, effOpen);
			PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, 44100.0f);
			PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
		}
		HostLog::get().clear();
	}
	~Instance()
	{
		if (fx != nullptr)
			PluginHarness::dispatch(fx, effClose);
	}
	Instance(const Instance &) = delete;
	Instance &operator=(const Instance &) = delete;

	void send(EventList &l) { PluginHarness::dispatch(fx, effProcessEvents, 0, 0, l.get()); }
	// Processes n samples of a fixed noise in blocks of 256; returns the left output.
	std::vector<float> render(int n)
	{
		std::vector<float> all;
		std::vector<float> l(256), r(256), ol(256), orr(256);
		unsigned seed = 12345;
		for (int pos = 0; pos < n; pos += 256)
		{
			for (int i = 0; i < 256; ++i)
			{
				seed = seed * 1664525u + 1013904223u;
				l[static_cast<std::size_t>(i)] = static_cast<float>(static_cast<int>(seed >> 8) % 2001 - 1000) / 2000.0f;
				r[static_cast<std::size_t>(i)] = l[static_cast<std::size_t>(i)];
			}
			float *in[2] = {l.data(), r.data()};
			float *out[2] = {ol.data(), orr.data()};
			fx->processReplacing(fx, in, out, 256);
			all.insert(all.end(), ol.begin(), ol.end());
		}
		return all;
	}
	std::string display(int i) { return PluginHarness::text(fx, effGetParamDisplay, i); }

	AEffect *fx = nullptr;
};

double rms_diff(const std::vector<float> &a, const std::vector<float> &b, std::size_t from)
{
	double s = 0;
	for (std::size_t i = from; i < a.size() && i < b.size(); ++i)
		s += (a[i] - b[i]) * (a[i] - b[i]);
	return std::sqrt(s / static_cast<double>(a.size() - from));
}

class MidiPlugin : public ::testing::Test
{
protected:
	TempConfig cfg;
	PluginHarness host;
};

} // namespace

TEST_F(MidiPlugin, PreferencesAppearInAFreshConfigFolder)
{
	Instance a(host);
	ASSERT_NE(a.fx, nullptr);
	EXPECT_NE(cfg.store_text("Dravimor/Brastoke").find("\"NRPN Compatibility\" = 0"), std::string::npos);
	EXPECT_NE(cfg.store_text("Dravimor").find("\"Autobind Mode\" = 1"), std::string::npos);
	EXPECT_EQ(PluginHarness::dispatch(a.fx, effCanDo, 0, 0, const_cast<char *>("receiveVstMidiEvent")), 1);
	EXPECT_EQ(PluginHarness::dispatch(a.fx, effCanDo, 0, 0, const_cast<char *>("sendVstMidiEvent")), 1);
	EXPECT_GE(HostLog::get().want_midi.load(), 1);
}

TEST_F(MidiPlugin, AnNrpnMovesCutoffAndTheSound)
{
	Instance plain(host);
	Instance moved(host);
	ASSERT_NE(moved.fx, nullptr);
	const float before = moved.fx->getParameter(moved.fx, 0);
	const std::string text_before = moved.display(0);
	EventList l;
	l.nrpn(0, 0, 0, 2000); // NRPN 0: "Cutoff Freq"
	moved.send(l);
	const float after = moved.fx->getParameter(moved.fx, 0);
	EXPECT_FLOAT_EQ(after, static_cast<float>(2000.0 / 16383));
	EXPECT_NE(after, before);
	EXPECT_EQ(PluginHarness::text(moved.fx, effGetParamName, 0), "Cutoff Freq");
	EXPECT_NE(moved.display(0), text_before);
	const auto a = plain.render(44100 / 2);
	const auto b = moved.render(44100 / 2);
	EXPECT_GT(rms_diff(a, b, 4410), 1e-3);
}

TEST_F(MidiPlugin, HostAutomationYieldsToMidiForHalfASecond)
{
	Instance a(host);
	ASSERT_NE(a.fx, nullptr);
	EventList l;
	l.nrpn(0, 1, 0, 16383); // NRPN 1 in the default (old) byte order
	a.send(l);
	ASSERT_EQ(a.fx->getParameter(a.fx, 1), 1.0f);
	a.fx->setParameter(a.fx, 1, 0.25f);
	EXPECT_EQ(a.fx->getParameter(a.fx, 1), 1.0f);
	std::this_thread::sleep_for(std::chrono::milliseconds(600));
	a.fx->setParameter(a.fx, 1, 0.25f);
	EXPECT_EQ(a.fx->getParameter(a.fx, 1), 0.25f);
	// Neither write went out as MIDI.
	a.render(512);
	EXPECT_TRUE(HostLog::get().take().empty());
}

TEST_F(MidiPlugin, AProgramChangeSendsTheEightParametersAtTheNextBlock)
{
	Instance a(host);
	ASSERT_NE(a.fx, nullptr);
	PluginHarness::dispatch(a.fx, effSetProgram, 0, 2);
	EXPECT_TRUE(HostLog::get().take().empty());
	a.render(256);
	const auto sent = HostLog::get().take();
	ASSERT_EQ(sent.size(), 1u);
	ASSERT_EQ(sent[0].size(), 32u);
	for (int i = 0; i < 8; ++i)
	{
		const Bytes *e = &sent[0][static_cast<std::size_t>(i * 4)];
		EXPECT_EQ(e[0], (Bytes{0xB0, 98, 0, 0}));
		EXPECT_EQ(e[1], (Bytes{0xB0, 99, static_cast<unsigned char>(i), 0}));
		const int v = (e[2][2] << 7) | e[3][2];
		EXPECT_EQ(v, static_cast<int>(std::floor(a.fx->getParameter(a.fx, i) * 16383.0 + 0.5))) << i;
	}
}

TEST_F(MidiPlugin, LoadsWithoutAUsableStore)
{
	const std::string file = cfg.path() + "/plain-file";
	FILE *f = std::fopen(file.c_str(), "w");
	ASSERT_NE(f, nullptr);
	std::fclose(f);
	setenv("XDG_CONFIG_HOME", file.c_str(), 1);
	{
		Instance a(host);
		ASSERT_NE(a.fx, nullptr);
		EventList l;
		l.nrpn(0, 0, 0, 0);
		a.send(l);
		EXPECT_EQ(a.fx->getParameter(a.fx, 0), 0.0f);
	}
	unsetenv("XDG_CONFIG_HOME");
	unsetenv("HOME");
	Instance b(host);
	ASSERT_NE(b.fx, nullptr);
	b.render(256);
}

TEST_F(MidiPlugin, TheEntryDoesNotWaitLongOnTheStoreLock)
{
	std::vector<int> fds;
	for (const char *list : {"/Dravimor", "/Dravimor/Brastoke"})
	{
		std::filesystem::create_directories(cfg.path() + list);
		const int fd = ::open((cfg.path() + list + "/PersistentKeys.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
		ASSERT_GE(fd, 0);
		ASSERT_EQ(::flock(fd, LOCK_EX), 0);
		fds.push_back(fd);
	}
	const auto t0 = std::chrono::steady_clock::now();
	AEffect *fx = host.entry()(&HostLog::callback);
	const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
	ASSERT_NE(fx, nullptr);
	EXPECT_LT(ms, 1000);
	PluginHarness::dispatch(fx, effClose);
	for (int fd : fds)
		::close(fd);
}
