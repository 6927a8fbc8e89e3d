// The built-in demo input: a stereo loop that shows what a filter bank does
// with rich material. Sawtooth chords (dense harmonics for bands to pick
// out), a bass line, and a drum-and-bass figure with kick, snare and hi-hat
// noise bursts (broadband transients for resonances to ring on). The same
// arguments always give the same samples.
#pragma once

#include <vector>

namespace plughost
{

struct DemoSignal
{
	double sample_rate = 44100.0;
	double tempo = 120.0; // beats per minute; one chord per bar of 4 beats
	double seconds = 8.0;

	// Two channels of frames(), peak about -6 dBFS.
	std::vector<std::vector<float>> generate() const;
	long frames() const;
};

} // namespace plughost
