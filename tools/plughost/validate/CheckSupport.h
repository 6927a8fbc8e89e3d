// What the checks share: reproducible random numbers, test signals, output
// inspection, instance set-up and snapshots of a plug-in's state.
#pragma once

#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/validate/Check.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost
{

class Rng
{
public:
	explicit Rng(std::uint64_t seed);
	std::uint64_t next();
	double uniform();                 // [0, 1)
	long range(long lo, long hi);     // [lo, hi]
	float noise() { return float(uniform() * 2.0 - 1.0); }

private:
	std::uint64_t _s;
};

// A seed per check, from the run's seed and the check's name, so running
// one check alone repeats what it did in the full run.
std::uint64_t check_seed(std::uint64_t seed, const std::string &name);

struct OutputScan
{
	long nan = 0;
	long inf = 0;
	long subnormal = 0;
	float peak = 0.0f;

	void scan(const float *p, long n);
	bool clean() const { return nan == 0 && inf == 0 && subnormal == 0; }
	std::string describe() const;
};

// A fresh instance: entry, effOpen, sample rate, block size and, when
// resume is set, effMainsChanged(1). Null with err on failure.
std::unique_ptr<PluginInstance> make_instance(CheckContext &ctx, std::string &err, double rate = 44100.0,
                                              long block = 512, bool resume = true);

// Same, reporting a failure itself when the plug-in will not load.
std::unique_ptr<PluginInstance> make_instance_or_fail(CheckContext &ctx, CheckReport &r, double rate = 44100.0,
                                                      long block = 512, bool resume = true);

// Same for checks of parameters or of programs: a skip (and null) when the
// plug-in has none.
std::unique_ptr<PluginInstance> make_instance_with_params(CheckContext &ctx, CheckReport &r, double rate = 44100.0,
                                                          long block = 512);
std::unique_ptr<PluginInstance> make_instance_with_programs(CheckContext &ctx, CheckReport &r);

// What a host can observe of the state: parameter values, the current
// program, and the bank chunk when the plug-in has chunks.
struct Snapshot
{
	std::vector<float> params;
	long program = 0;
	std::vector<unsigned char> bank;
	bool has_bank = false;

	// Differences from other as text, empty when equal.
	std::string diff(const Snapshot &other) const;
};

Snapshot take_snapshot(PluginInstance &p);

// The bytes of effGetChunk (index 0 bank, 1 program); empty when none.
std::vector<unsigned char> get_chunk(PluginInstance &p, int index, bool &answered);

bool has_chunks(const PluginInstance &p);

// Processes frames of noise through the instance in blocks of block,
// returning the scan of all outputs.
OutputScan process_noise(PluginInstance &p, Rng &rng, long frames, long block,
                         ProcessForm form = ProcessForm::Replacing);

// A short list of messages joined for one report line.
std::string first_items(const std::vector<std::string> &items, std::size_t max = 3);

} // namespace plughost

namespace plughost
{

// Judges one text the plug-in wrote into a guarded buffer, against the old
// SDK size for its kind (8, 24, 32 or 64 bytes with the terminator).
// Failures: no terminator, bytes written after the buffer, or bytes written
// beyond both the text's terminator and the old size. Longer texts that are
// properly terminated are warnings: hosts give more than the old sizes.
void judge_text(const GuardedText &t, std::size_t old_size, const std::string &what,
                std::vector<std::string> &fails, std::vector<std::string> &warns);

} // namespace plughost
