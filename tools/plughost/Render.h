// The render loop and the host's call order around it.
//
// Call order (what `plughost render` does):
//   entry, effOpen, effSetSampleRate, effSetBlockSize, effMainsChanged(1),
//   effStartProcess, program (effBeginSetProgram / effSetProgram /
//   effEndSetProgram), parameters, then per block: the time info,
//   effProcessEvents (when MIDI falls in the block), processReplacing or
//   process; at the end effStopProcess, effMainsChanged(0), effClose.
// Program and parameters set after the resume reach a running engine, so
// they glide where the plug-in smooths them. With apply_before_resume they
// are set before effMainsChanged(1) and apply at once.
#pragma once

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/BlockPlan.h"
#include "tools/plughost/MidiInput.h"
#include "tools/plughost/ParamSetting.h"
#include "tools/plughost/PluginInstance.h"

#include <functional>
#include <string>
#include <vector>

namespace plughost
{

struct RenderConfig
{
	double sample_rate = 44100.0;
	BlockPlan blocks;
	ProcessForm form = ProcessForm::Replacing;
	int connected_inputs = 1 << 30;  // pins used; the rest answer "not connected"
	int connected_outputs = 1 << 30;
	double tempo = 120.0;
	long tail_frames = 0;
	int program = -1;
	std::vector<ParamSetting> params;
	bool apply_before_resume = false;
	bool offline = false; // process level offline instead of realtime

	// Sets the host answers an instance needs from its entry call on.
	void configure_host(HostContext &h) const;
};

struct RenderIo
{
	const AudioData *input = nullptr;   // null or no channels: silence
	const AudioData *prefill = nullptr; // output buffers before each call; null: zeros
	MidiScheduler *midi = nullptr;
	// Receives the connected outputs of each block; false stops the render.
	std::function<bool(const float *const *channels, long frames)> sink;
	std::function<void(long done, long total)> progress;
	// After each block, with its index (for printing what the plug-in sent).
	std::function<void(long block)> after_block;
};

struct RenderStats
{
	long frames = 0;
	long blocks = 0;
	long min_block = 0;
	long max_block = 0;
	float peak = 0.0f;
	long non_finite = 0;
};

// Number of outputs written (connected outputs, at least one when the
// plug-in has outputs).
int used_outputs(const vst2::AEffect &e, const RenderConfig &cfg);
int used_inputs(const vst2::AEffect &e, const RenderConfig &cfg);

// Runs the steps before processing. False with err (a refused text).
bool prepare_instance(PluginInstance &p, const RenderConfig &cfg, std::string &err);

// Prepares the instance, processes input plus tail, and shuts it down.
bool render(PluginInstance &p, RenderConfig cfg, RenderIo &io, RenderStats &stats, std::string &err);

} // namespace plughost
