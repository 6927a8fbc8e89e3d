// midisweep: writes a small Standard MIDI File that sweeps one NRPN up and
// down, to drive a plug-in's MIDI-bound parameter from a host.
//
//   midisweep OUT.mid [--nrpn N] [--seconds S] [--rate STEPS_PER_S] [--standard]
//
// The NRPN number is selected once (CC 99 / CC 98), then every step sends a
// 14-bit data entry, CC 6 (MSB) then CC 38 (LSB), on channel 1. The number
// goes out in the old byte order (CC 99 carries the LSB) that Brastoke uses
// by default, or in standard order with --standard; NRPN 0 is the same in
// both. Tempo 120 bpm, 480 ticks per quarter note.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "basic/CLocale.h"

namespace
{

constexpr int TICKS_PER_QN = 480;
constexpr double TICKS_PER_SECOND = TICKS_PER_QN * 2.0; // 120 bpm

void put_be(std::vector<unsigned char> &out, unsigned long v, int bytes)
{
	for (int i = bytes - 1; i >= 0; --i)
		out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

void put_var(std::vector<unsigned char> &out, unsigned long v)
{
	unsigned char buf[10]; // 7 bits a byte: enough for 64 bits
	int n = 0;
	buf[n++] = static_cast<unsigned char>(v & 0x7F);
	while ((v >>= 7) != 0)
		buf[n++] = static_cast<unsigned char>(0x80 | (v & 0x7F));
	while (n > 0)
		out.push_back(buf[--n]);
}

struct Track
{
	std::vector<unsigned char> data;
	unsigned long last_tick = 0;

	void cc(unsigned long tick, int ctrl, int value)
	{
		put_var(data, tick - last_tick);
		last_tick = tick;
		data.push_back(0xB0);
		data.push_back(static_cast<unsigned char>(ctrl & 127));
		data.push_back(static_cast<unsigned char>(value & 127));
	}
};

// A whole number, or a number in the "C" locale, with nothing after it.
bool parse_number(const char *text, double &v)
{
	char *end = nullptr;
	v = basic::c_strtod(text, &end);
	return end != text && *end == '\0';
}

int usage()
{
	std::fprintf(stderr, "usage: midisweep OUT.mid [--nrpn N] [--seconds S] [--rate STEPS_PER_S] [--standard]\n");
	return 2;
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 2)
		return usage();
	const char *path = argv[1];
	double nrpn = 0;
	double seconds = 8;
	double rate = 25;
	bool standard = false;
	for (int i = 2; i < argc; ++i)
	{
		const std::string a = argv[i];
		if (a == "--standard")
			standard = true;
		else if (i + 1 < argc && a == "--nrpn")
		{
			if (!parse_number(argv[++i], nrpn))
				return usage();
		}
		else if (i + 1 < argc && a == "--seconds")
		{
			if (!parse_number(argv[++i], seconds))
				return usage();
		}
		else if (i + 1 < argc && a == "--rate")
		{
			if (!parse_number(argv[++i], rate))
				return usage();
		}
		else
			return usage();
	}
	if (!(nrpn >= 0 && nrpn <= 16383 && nrpn == std::floor(nrpn)) || !(seconds > 0 && seconds <= 600)
	    || !(rate > 0 && rate <= 1000))
		return usage();

	Track t;
	const int msb = static_cast<int>(nrpn) >> 7;
	const int lsb = static_cast<int>(nrpn) & 127;
	t.cc(0, 99, standard ? msb : lsb);
	t.cc(0, 98, standard ? lsb : msb);
	// Up during the first half, down during the second.
	// At least one step, so that the sweep has an end point.
	const int steps = std::max(1, static_cast<int>(seconds * rate));
	for (int s = 0; s <= steps; ++s)
	{
		const double x = static_cast<double>(s) / steps;
		const double shape = x < 0.5 ? 2 * x : 2 - 2 * x;
		const int v = static_cast<int>(std::lround(shape * 16383));
		const unsigned long tick = static_cast<unsigned long>(std::lround(x * seconds * TICKS_PER_SECOND));
		t.cc(tick, 6, v >> 7);
		t.cc(tick, 38, v & 127);
	}
	put_var(t.data, 0);
	t.data.insert(t.data.end(), {0xFF, 0x2F, 0x00}); // end of track

	std::vector<unsigned char> file;
	file.insert(file.end(), {'M', 'T', 'h', 'd'});
	put_be(file, 6, 4);
	put_be(file, 0, 2); // format 0
	put_be(file, 1, 2); // one track
	put_be(file, TICKS_PER_QN, 2);
	file.insert(file.end(), {'M', 'T', 'r', 'k'});
	put_be(file, t.data.size(), 4);
	file.insert(file.end(), t.data.begin(), t.data.end());

	FILE *f = std::fopen(path, "wb");
	if (f == nullptr)
	{
		std::fprintf(stderr, "midisweep: cannot write %s\n", path);
		return 1;
	}
	const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
	if (std::fclose(f) != 0 || !ok)
	{
		std::fprintf(stderr, "midisweep: cannot write %s\n", path);
		return 1;
	}
	return 0;
}
