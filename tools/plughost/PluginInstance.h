// One plug-in instance as a host drives it: created through the entry
// function, with its host context attached, closed with effClose. Calls
// that hosts make on the audio thread go through the *_audio methods, which
// run them inside an RtScope.
#pragma once

#include "tools/plughost/GuardedText.h"
#include "tools/plughost/HostContext.h"
#include "tools/plughost/PluginLibrary.h"

#include <memory>
#include <string>

namespace plughost
{

class PluginInstance
{
public:
	// Calls the entry function with a fresh host context (configured by
	// setup before the call) and attaches it. Null with err on failure; the
	// instance is not yet opened (call open()).
	static std::unique_ptr<PluginInstance> create(std::shared_ptr<PluginLibrary> lib, std::string &err,
	                                              const std::function<void(HostContext &)> &setup = {});
	~PluginInstance();
	PluginInstance(const PluginInstance &) = delete;
	PluginInstance &operator=(const PluginInstance &) = delete;

	vst2::AEffect *effect() const { return _effect; }
	HostContext &host() { return *_host; }
	PluginLibrary &library() { return *_lib; }

	vst2::intptr dispatch(vst2::int32 opcode, vst2::int32 index = 0, vst2::intptr value = 0,
	                      void *ptr = nullptr, float opt = 0.0f);

	// Host steps; each remembers what it did so close() undoes it.
	void open();
	void set_sample_rate(double rate);
	void set_block_size(vst2::int32 frames);
	void resume();
	void suspend();
	// Suspends if needed, then effClose. The destructor calls it.
	void close();

	bool set_program(vst2::intptr index);
	vst2::intptr program();

	// Texts through guarded buffers.
	GuardedText text(vst2::int32 opcode, vst2::int32 index = 0);
	std::string effect_name() { return text(vst2::effGetEffectName).text; }
	std::string param_name(int i) { return text(vst2::effGetParamName, i).text; }
	std::string param_display(int i) { return text(vst2::effGetParamDisplay, i).text; }
	std::string program_name_indexed(int i) { return text(vst2::effGetProgramNameIndexed, i).text; }

	// Finds a parameter by index ("3") or name (exact, then case-insensitive).
	// -1 when none.
	int find_param(const std::string &sel);

	// Audio-thread calls.
	void set_parameter_audio(vst2::int32 index, float value);
	float get_parameter_audio(vst2::int32 index);
	void process_audio(float **in, float **out, vst2::int32 frames, ProcessForm form);
	vst2::intptr process_events_audio(vst2::VstEvents *ev);

	// Other-thread parameter calls (no RtScope).
	void set_parameter(vst2::int32 index, float value);
	float get_parameter(vst2::int32 index);

	bool can_replacing() const;

private:
	PluginInstance() = default;

	std::shared_ptr<PluginLibrary> _lib;
	std::unique_ptr<HostContext> _host;
	vst2::AEffect *_effect = nullptr;
	bool _opened = false;
	bool _resumed = false;
	bool _closed = false;
};

} // namespace plughost
