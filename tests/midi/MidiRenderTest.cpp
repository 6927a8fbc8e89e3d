// A controller sweep from a Standard MIDI File rendered through the host
// tool moves the plug-in's sound; the committed sweep is what the
// generator makes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/midi/TempConfig.h"

namespace
{

const std::string TOOLS = std::string(BRASTOKE_BINARY_DIR) + "/tools";
const std::string PLUGHOST = TOOLS + "/plughost/plughost";
const std::string MIDISWEEP = TOOLS + "/midisweep/midisweep";

// Runs a command; its standard output, and the exit status in status.
std::string run(const std::string &cmd, int &status)
{
	std::string out;
	FILE *p = popen(cmd.c_str(), "r");
	if (p == nullptr)
	{
		status = -1;
		return out;
	}
	char buf[4096];
	std::size_t n = 0;
	while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0)
		out.append(buf, n);
	status = pclose(p);
	return out;
}

std::vector<unsigned char> read_file(const std::string &path)
{
	std::ifstream f(path, std::ios::binary);
	return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The left channel of a 16-bit stereo WAV file.
std::vector<int> wav_left(const std::string &path)
{
	const auto b = read_file(path);
	std::vector<int> left;
	for (std::size_t pos = 12; pos + 8 <= b.size();)
	{
		const std::size_t len = b[pos + 4] | (b[pos + 5] << 8) | (b[pos + 6] << 16) | (static_cast<std::size_t>(b[pos + 7]) << 24);
		if (std::memcmp(&b[pos], "data", 4) == 0)
		{
			for (std::size_t i = pos + 8; i + 4 <= b.size() && i + 4 <= pos + 8 + len; i += 4)
				left.push_back(static_cast<int16_t>(b[i] | (b[i + 1] << 8)));
			break;
		}
		pos += 8 + len + (len & 1);
	}
	return left;
}

} // namespace

TEST(MidiRender, ASweepThroughTheHostToolMovesTheSound)
{
	miditest::TempConfig cfg;
	const std::string mid = cfg.path() + "/sweep.mid";
	const std::string plain = cfg.path() + "/plain.wav";
	const std::string swept = cfg.path() + "/swept.wav";
	int status = 0;
	run(MIDISWEEP + " " + mid + " --seconds 4", status);
	ASSERT_EQ(status, 0);
	const std::string common = " render " + std::string(BRASTOKE_PLUGIN_PATH) + " --demo-seconds 4 --bits 16 --quiet --param 'Nbr Bands=6' --param 'Resonance=4' ";
	run(PLUGHOST + common + plain, status);
	ASSERT_EQ(status, 0);
	const std::string listed = run(PLUGHOST + common + swept + " --midi " + mid + " --print-midi-out", status);
	ASSERT_EQ(status, 0);
	// Incoming MIDI is not echoed back to the host.
	EXPECT_EQ(listed.find("midi-out"), std::string::npos) << listed;

	const auto a = wav_left(plain);
	const auto b = wav_left(swept);
	// The tool renders on to the last event, a sample past the demo maybe.
	ASSERT_GE(b.size(), a.size());
	ASSERT_GT(a.size(), 44100u * 3);
	// Compare each half second: the sweep changes the sound all along but
	// the very start (the cutoff starts at the bottom of its range).
	int changed = 0;
	const std::size_t win = 22050;
	for (std::size_t s = win; s + win <= a.size(); s += win)
	{
		double d = 0;
		double e = 0;
		for (std::size_t i = s; i < s + win; ++i)
		{
			d += (a[i] - b[i]) * static_cast<double>(a[i] - b[i]);
			e += a[i] * static_cast<double>(a[i]);
		}
		if (d > 0.01 * e)
			++changed;
	}
	EXPECT_GE(changed, 5);
}

TEST(MidiRender, AProgramGoesOutAsNrpnsAtTheFirstBlock)
{
	miditest::TempConfig cfg;
	int status = 0;
	const std::string out = run(PLUGHOST + " render " + std::string(BRASTOKE_PLUGIN_PATH) + " " + cfg.path() + "/p.wav --demo-seconds 1 --quiet --program 3 --print-midi-out", status);
	ASSERT_EQ(status, 0);
	int lines = 0;
	for (std::size_t pos = 0; (pos = out.find("midi-out block 0 offset 0: B0 ", pos)) != std::string::npos; ++pos)
		++lines;
	EXPECT_EQ(lines, 32) << out;
	EXPECT_NE(out.find("midi-out block 0 offset 0: B0 62 00\nmidi-out block 0 offset 0: B0 63 07\n"), std::string::npos);
}

TEST(MidiRender, TheCommittedSweepIsTheGeneratorsDefault)
{
	miditest::TempConfig cfg;
	const std::string mid = cfg.path() + "/default.mid";
	int status = 0;
	run(MIDISWEEP + " " + mid, status);
	ASSERT_EQ(status, 0);
	EXPECT_EQ(read_file(mid), read_file(std::string(BRASTOKE_SOURCE_DIR) + "/assets/midi/cutoff-sweep.mid"));
	run(MIDISWEEP + " " + mid + " --nrpn 16384 2>/dev/null", status);
	EXPECT_NE(status, 0);
}
