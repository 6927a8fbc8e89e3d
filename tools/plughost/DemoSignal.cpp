#include "tools/plughost/DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plughost
{

namespace
{

constexpr double kPi = 3.14159265358979323846;

// Deterministic noise, the same on every machine.
class Noise
{
public:
	explicit Noise(std::uint32_t seed) : _s(seed) {}
	double next()
	{
		_s ^= _s << 13;
		_s ^= _s >> 17;
		_s ^= _s << 5;
		return double(_s) / 2147483648.0 - 1.0;
	}

private:
	std::uint32_t _s;
};

// Correction of a sawtooth's step for a band-limited edge (PolyBLEP).
double poly_blep(double t, double dt)
{
	if (t < dt)
	{
		t /= dt;
		return t + t - t * t - 1.0;
	}
	if (t > 1.0 - dt)
	{
		t = (t - 1.0) / dt;
		return t * t + t + t + 1.0;
	}
	return 0.0;
}

class Saw
{
public:
	double next(double freq, double sr)
	{
		const double dt = freq / sr;
		double v = 2.0 * _phase - 1.0 - poly_blep(_phase, dt);
		_phase += dt;
		_phase -= std::floor(_phase);
		return v;
	}

private:
	double _phase = 0.0;
};

double midi_to_hz(double note)
{
	return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// One-pole low-pass, for darker voices and the hat's complement.
class OnePole
{
public:
	double run(double x, double coef)
	{
		_y += coef * (x - _y);
		return _y;
	}

private:
	double _y = 0.0;
};

// The latest step at or before s whose pattern entry is 'x', or -1.
int last_hit(const char *pattern, int s)
{
	for (int i = s; i >= 0; --i)
	{
		if (pattern[i] == 'x')
		{
			return i;
		}
	}
	return -1;
}

} // namespace

long DemoSignal::frames() const
{
	return std::max(1L, long(std::lround(seconds * sample_rate)));
}

std::vector<std::vector<float>> DemoSignal::generate() const
{
	const long n = frames();
	const double sr = sample_rate;
	std::vector<std::vector<float>> out(2, std::vector<float>(std::size_t(n), 0.0f));

	// Am - F - C - G, three voices per chord, each voice detuned between the
	// two channels for width.
	static const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {48, 55, 64}, {55, 59, 62}};
	static const int bass_roots[4] = {33, 29, 36, 31};
	// Sixteenth steps of one bar: a two-step break (kick 1, snare 2, hats).
	static const char kick_pat[] = "x.........x.....";
	static const char snare_pat[] = "....x.......x..x";
	static const char hat_pat[] = "x.xxx.x.x.xxx.xx";
	static const char bass_pat[] = "x..x..x...x.x...";

	const double beat = 60.0 / std::clamp(tempo, 20.0, 400.0);
	const double step = beat / 4.0;
	const double bar = beat * 4.0;

	Saw voices[2][3];
	Saw bass;
	OnePole voice_lp[2];
	OnePole hat_lp;
	OnePole bass_lp;
	Noise noise(0x1234567u);

	for (long i = 0; i < n; ++i)
	{
		const double t = double(i) / sr;
		const long bar_index = long(t / bar);
		const int chord = int(bar_index % 4);
		const double t_in_bar = t - double(bar_index) * bar;
		const int s = std::min(15, int(t_in_bar / step));
		const double ts = t_in_bar - double(s) * step; // time since the step began

		// Chord pad: swells up and down once per bar.
		const double swell = 0.6 - 0.4 * std::cos(2.0 * kPi * t_in_bar / bar);
		double pad[2] = {0.0, 0.0};
		for (int ch = 0; ch < 2; ++ch)
		{
			const double detune = ch == 0 ? -0.06 : 0.06;
			for (int v = 0; v < 3; ++v)
			{
				pad[ch] += voices[ch][v].next(midi_to_hz(chords[chord][v] + detune), sr);
			}
			pad[ch] = voice_lp[ch].run(pad[ch], 0.5) * 0.16 * swell;
		}

		// Bass: plucked saw on the root, an octave up on the step-12 hit.
		const int bass_hit = last_hit(bass_pat, s);
		const double bass_since = ts + double(s - bass_hit) * step;
		const int note = bass_roots[chord] + (bass_hit == 12 ? 12 : 0);
		const double b = bass_lp.run(bass.next(midi_to_hz(note), sr), 0.12) * std::exp(-bass_since * 7.0) * 0.5;

		// Kick: a falling sine with a click.
		double k = 0.0;
		const int kick_hit = last_hit(kick_pat, s);
		if (kick_hit >= 0)
		{
			const double since = ts + double(s - kick_hit) * step;
			const double phase = 45.0 * since + 110.0 / 30.0 * (1.0 - std::exp(-since * 30.0));
			k = std::sin(2.0 * kPi * phase) * std::exp(-since * 9.0) * 0.8;
			k += noise.next() * std::exp(-since * 400.0) * 0.3;
		}

		// Snare: a noise burst over a short tone.
		double sn = 0.0;
		const int snare_hit = last_hit(snare_pat, s);
		if (snare_hit >= 0)
		{
			const double since = ts + double(s - snare_hit) * step;
			sn = noise.next() * std::exp(-since * 16.0) * 0.45 +
			     std::sin(2.0 * kPi * 190.0 * since) * std::exp(-since * 25.0) * 0.25;
		}

		// Hats: high-passed noise, open on the "and" of each beat.
		const double w = noise.next();
		const double hp = w - hat_lp.run(w, 0.5);
		double hat = 0.0;
		const int hat_hit = last_hit(hat_pat, s);
		if (hat_hit >= 0)
		{
			const double since = ts + double(s - hat_hit) * step;
			hat = hp * std::exp(-since * ((hat_hit % 4 == 2) ? 20.0 : 50.0)) * 0.16;
		}

		const double centre = b + k + sn;
		out[0][std::size_t(i)] = float(pad[0] + centre + hat * 0.7);
		out[1][std::size_t(i)] = float(pad[1] + centre + hat * 1.0);
	}

	// Peak at -6 dBFS, with a 5 ms fade at both ends.
	float peak = 0.0f;
	for (const auto &ch : out)
	{
		for (float x : ch)
		{
			peak = std::max(peak, std::fabs(x));
		}
	}
	const double gain = peak > 0.0f ? 0.5 / double(peak) : 1.0;
	const long fade = std::min(n / 2, long(sr * 0.005));
	for (auto &ch : out)
	{
		for (long i = 0; i < n; ++i)
		{
			double g = gain;
			if (i < fade)
			{
				g *= double(i) / double(fade);
			}
			if (n - 1 - i < fade)
			{
				g *= double(n - 1 - i) / double(fade);
			}
			ch[std::size_t(i)] = float(double(ch[std::size_t(i)]) * g);
		}
	}
	return out;
}

} // namespace plughost
