// Timing of plug-ins on generated noise: the noise is made before any
// timing, each pass processes all of it in fixed blocks, and the cost is
// the thread's CPU time per frame. Several plug-ins are measured in turns
// within each round, in alternating order, so drifts of the machine (clock
// boost, other load) hit them alike.
#pragma once

#include "tools/plughost/Render.h"

#include <memory>
#include <string>
#include <vector>

namespace plughost
{

struct BenchSubject
{
	std::string label;
	std::unique_ptr<PluginInstance> instance;
	std::vector<double> ns_per_frame; // one per round
};

struct BenchSetup
{
	double sample_rate = 44100.0;
	long block = 512;
	double seconds = 5.0; // noise per pass
	int rounds = 7;
	std::uint64_t seed = 1;
};

// Stereo-or-more noise at -6 dBFS peak, channels independent.
std::vector<std::vector<float>> bench_noise(int channels, long frames, std::uint64_t seed);

// Runs the rounds; subjects must be prepared (resumed, parameters set).
void run_bench(const BenchSetup &setup, std::vector<BenchSubject> &subjects);

double median(std::vector<double> v);

} // namespace plughost
