#include "tools/plughost/Bench.h"

#include "tools/plughost/ProcessBuffers.h"

#include <algorithm>
#include <ctime>

namespace plughost
{

namespace
{

double thread_cpu_ns()
{
	timespec ts{};
	clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
	return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// What one reading of the clock adds to a span it ends (the clock is a
// system call, of which about half falls inside each timed span): the
// smallest of many back-to-back readings, subtracted from every call.
double clock_cost_ns()
{
	double best = 1e9;
	for (int i = 0; i < 2000; ++i)
	{
		const double t0 = thread_cpu_ns();
		best = std::min(best, thread_cpu_ns() - t0);
	}
	return best;
}

// One pass of the noise through a subject; returns CPU ns per frame.
double pass(BenchSubject &s, const std::vector<std::vector<float>> &noise, long block, long frames)
{
	static const double clock_cost = clock_cost_ns();
	PluginInstance &p = *s.instance;
	const vst2::AEffect *e = p.effect();
	ProcessBuffers buf(e->numInputs, e->numOutputs, block);
	const int nbr_noise = int(noise.size());
	double spent = 0.0;
	for (long pos = 0; pos < frames; pos += block)
	{
		const long n = std::min(block, frames - pos);
		// Copying the input is the host's work: outside the timed span.
		for (int c = 0; c < e->numInputs; ++c)
		{
			const auto &src = noise[std::size_t(c % nbr_noise)];
			std::copy(src.begin() + pos, src.begin() + pos + n, buf.input(c));
		}
		p.host().set_transport(pos, true, 0);
		const double t0 = thread_cpu_ns();
		p.process_audio(buf.inputs(), buf.outputs(), vst2::int32(n), ProcessForm::Replacing);
		spent += thread_cpu_ns() - t0 - clock_cost;
	}
	return spent / double(frames);
}

} // namespace

std::vector<std::vector<float>> bench_noise(int channels, long frames, std::uint64_t seed)
{
	std::vector<std::vector<float>> out(std::size_t(std::max(1, channels)), std::vector<float>(std::size_t(frames)));
	std::uint64_t s = seed * 0x9E3779B97F4A7C15ull + 1;
	for (auto &ch : out)
	{
		for (auto &x : ch)
		{
			s ^= s >> 12;
			s ^= s << 25;
			s ^= s >> 27;
			x = float(double((s * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0 - 0.5);
		}
	}
	return out;
}

void run_bench(const BenchSetup &setup, std::vector<BenchSubject> &subjects)
{
	const long frames = std::max(setup.block, long(setup.seconds * setup.sample_rate));
	int channels = 1;
	for (const auto &s : subjects)
	{
		channels = std::max(channels, s.instance->effect()->numInputs);
	}
	const auto noise = bench_noise(channels, frames, setup.seed);
	// Warm-up pass: first-call set-up and cold caches are not measured.
	for (auto &s : subjects)
	{
		pass(s, noise, setup.block, std::min(frames, long(setup.sample_rate)));
	}
	for (int r = 0; r < setup.rounds; ++r)
	{
		const std::size_t n = subjects.size();
		for (std::size_t k = 0; k < n; ++k)
		{
			BenchSubject &s = subjects[(r % 2 == 0) ? k : n - 1 - k];
			s.ns_per_frame.push_back(pass(s, noise, setup.block, frames));
		}
	}
}

double median(std::vector<double> v)
{
	if (v.empty())
	{
		return 0.0;
	}
	std::sort(v.begin(), v.end());
	const std::size_t m = v.size() / 2;
	return v.size() % 2 == 1 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

} // namespace plughost
