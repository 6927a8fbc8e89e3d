// The plug-in side of the VST 2 protocol: owns the AEffect record, turns the
// host's calls into virtual methods with the SDK's default answers, and never
// lets an exception reach the host.
#pragma once

#include <atomic>

#include "vst2/aeffect.h"

namespace vst2
{

class AEffEditor;

class AudioEffect
{
public:
	static constexpr int32 VST_VERSION = 2200;

	AudioEffect(audioMasterCallback host, int32 nbr_programs, int32 nbr_params);
	virtual ~AudioEffect();
	AudioEffect(const AudioEffect &) = delete;
	AudioEffect &operator=(const AudioEffect &) = delete;

	AEffect *getAeffect() { return &cEffect; }
	static AudioEffect *from(AEffect *e) { return e != nullptr ? static_cast<AudioEffect *>(e->object) : nullptr; }

	// Opcode -> method. Runs inside the catch-all of the trampoline.
	virtual intptr dispatcher(int32 opcode, int32 index, intptr value, void *ptr, float opt);

	virtual void open() {}
	virtual void close() {}
	virtual void setProgram(int32 program) { curProgram.store(program, std::memory_order_relaxed); }
	virtual int32 getProgram() { return curProgram.load(std::memory_order_relaxed); }
	virtual void setProgramName(char *name) { (void)name; }
	virtual void getProgramName(char *name) { *name = 0; }
	virtual void getParameterLabel(int32 index, char *label) { (void)index; *label = 0; }
	virtual void getParameterDisplay(int32 index, char *text) { (void)index; *text = 0; }
	virtual void getParameterName(int32 index, char *text) { (void)index; *text = 0; }
	virtual void setSampleRate(float rate) { sampleRate = rate; }
	virtual void setBlockSize(int32 size) { blockSize = size; }
	virtual void suspend() {}
	virtual void resume() {}
	virtual int32 getChunk(void **data, bool is_preset)
	{
		(void)data;
		(void)is_preset;
		return 0;
	}
	virtual int32 setChunk(void *data, int32 size, bool is_preset)
	{
		(void)data;
		(void)size;
		(void)is_preset;
		return 0;
	}
	virtual void setParameter(int32 index, float value) { (void)index; (void)value; }
	virtual float getParameter(int32 index) { (void)index; return 0; }
	virtual void process(float **inputs, float **outputs, int32 frames) { (void)inputs; (void)outputs; (void)frames; }
	virtual void processReplacing(float **inputs, float **outputs, int32 frames) { (void)inputs; (void)outputs; (void)frames; }

	void setEditor(AEffEditor *e) { editor = e; }
	AEffEditor *getEditor() const { return editor; }
	float getSampleRate() const { return sampleRate; }
	int32 getBlockSize() const { return blockSize; }
	int32 getNumPrograms() const { return cEffect.numPrograms; }
	int32 getNumParams() const { return cEffect.numParams; }

	void setUniqueID(int32 id) { cEffect.uniqueID = id; }
	void setNumInputs(int32 n) { cEffect.numInputs = n; }
	void setNumOutputs(int32 n) { cEffect.numOutputs = n; }
	void canProcessReplacing(bool state) { set_flag(effFlagsCanReplacing, state); }
	void canMono(bool state) { set_flag(effFlagsCanMono, state); }
	void programsAreChunks(bool state) { set_flag(effFlagsProgramChunks, state); }
	void hasEditor(bool state) { set_flag(effFlagsHasEditor, state); }
	void setInitialDelay(int32 delay) { cEffect.initialDelay = delay; }

	// Host services.
	intptr call_host(int32 opcode, int32 index, intptr value, void *ptr, float opt);
	int32 getMasterVersion();
	// setParameter(), then audioMasterAutomate.
	virtual void setParameterAutomated(int32 index, float value);
	bool isInputConnected(int32 input);
	bool isOutputConnected(int32 output);

protected:
	void set_flag(int32 flag, bool state)
	{
		if (state)
			cEffect.flags |= flag;
		else
			cEffect.flags &= ~flag;
	}

	audioMasterCallback audioMaster;
	AEffEditor *editor = nullptr;
	float sampleRate = 44100.0f;
	int32 blockSize = 1024;
	std::atomic<int32> curProgram{0};
	AEffect cEffect;
};

} // namespace vst2
