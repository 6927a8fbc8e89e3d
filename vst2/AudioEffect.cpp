#include "vst2/AudioEffect.h"

#include <cstring>

#include "vst2/AEffEditor.h"

namespace vst2
{

namespace
{

// The trampolines the host calls. Nothing thrown inside ever reaches the host.
intptr dispatch_tramp(AEffect *e, int32 opcode, int32 index, intptr value, void *ptr, float opt)
{
	AudioEffect *fx = AudioEffect::from(e);
	if (fx == nullptr)
		return 0;
	if (opcode == effClose)
	{
		try
		{
			fx->dispatcher(opcode, index, value, ptr, opt);
		}
		catch (...)
		{
		}
		try
		{
			delete fx;
		}
		catch (...)
		{
		}
		return 1;
	}
	try
	{
		return fx->dispatcher(opcode, index, value, ptr, opt);
	}
	catch (...)
	{
		return 0;
	}
}

void process_tramp(AEffect *e, float **inputs, float **outputs, int32 frames)
{
	AudioEffect *fx = AudioEffect::from(e);
	if (fx == nullptr)
		return;
	try
	{
		fx->process(inputs, outputs, frames);
	}
	catch (...)
	{
	}
}

void process_replacing_tramp(AEffect *e, float **inputs, float **outputs, int32 frames)
{
	AudioEffect *fx = AudioEffect::from(e);
	if (fx == nullptr)
		return;
	try
	{
		fx->processReplacing(inputs, outputs, frames);
	}
	catch (...)
	{
	}
}

void set_parameter_tramp(AEffect *e, int32 index, float value)
{
	AudioEffect *fx = AudioEffect::from(e);
	if (fx == nullptr)
		return;
	try
	{
		fx->setParameter(index, value);
	}
	catch (...)
	{
	}
}

float get_parameter_tramp(AEffect *e, int32 index)
{
	AudioEffect *fx = AudioEffect::from(e);
	if (fx == nullptr)
		return 0;
	try
	{
		return fx->getParameter(index);
	}
	catch (...)
	{
		return 0;
	}
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback host, int32 nbr_programs, int32 nbr_params) : audioMaster(host)
{
	std::memset(&cEffect, 0, sizeof(cEffect));
	cEffect.magic = kEffectMagic;
	cEffect.dispatcher = dispatch_tramp;
	cEffect.process = process_tramp;
	cEffect.setParameter = set_parameter_tramp;
	cEffect.getParameter = get_parameter_tramp;
	cEffect.numPrograms = nbr_programs;
	cEffect.numParams = nbr_params;
	cEffect.numInputs = 1;
	cEffect.numOutputs = 2;
	cEffect.ioRatio = 1.0f;
	cEffect.object = this;
	cEffect.version = 1;
	cEffect.processReplacing = process_replacing_tramp;
}

AudioEffect::~AudioEffect()
{
	delete editor;
	editor = nullptr;
	// A host that calls through a dangling record finds no object.
	cEffect.object = nullptr;
}

intptr AudioEffect::dispatcher(int32 opcode, int32 index, intptr value, void *ptr, float opt)
{
	switch (opcode)
	{
	case effOpen:
		open();
		return 0;
	case effClose:
		close();
		return 0;
	case effSetProgram:
		// The index travels pointer-sized: compare before narrowing.
		if (value >= 0 && value < cEffect.numPrograms)
			setProgram(static_cast<int32>(value));
		return 0;
	case effGetProgram:
		return getProgram();
	case effSetProgramName:
		if (ptr != nullptr)
			setProgramName(static_cast<char *>(ptr));
		return 0;
	case effGetProgramName:
		if (ptr != nullptr)
			getProgramName(static_cast<char *>(ptr));
		return 0;
	case effGetParamLabel:
		if (ptr != nullptr && index >= 0)
			getParameterLabel(index, static_cast<char *>(ptr));
		return 0;
	case effGetParamDisplay:
		if (ptr != nullptr && index >= 0)
			getParameterDisplay(index, static_cast<char *>(ptr));
		return 0;
	case effGetParamName:
		if (ptr != nullptr && index >= 0)
			getParameterName(index, static_cast<char *>(ptr));
		return 0;
	case effSetSampleRate:
		setSampleRate(opt);
		return 0;
	case effSetBlockSize:
		if (value > 0 && value <= 0x7FFFFFFF)
			setBlockSize(static_cast<int32>(value));
		return 0;
	case effMainsChanged:
		if (value == 0)
			suspend();
		else
			resume();
		return 0;
	case effGetChunk:
		if (ptr == nullptr)
			return 0;
		return getChunk(static_cast<void **>(ptr), index != 0);
	case effSetChunk:
		// The size travels pointer-sized: refuse what does not fit 32 bits.
		if (ptr == nullptr || value <= 0 || value > 0x7FFFFFFF)
			return 0;
		return setChunk(ptr, static_cast<int32>(value), index != 0);
	case effEditGetRect:
		if (editor != nullptr && ptr != nullptr)
			return editor->getRect(static_cast<ERect **>(ptr)) ? 1 : 0;
		return 0;
	case effEditOpen:
		if (editor != nullptr)
			return editor->open(ptr, value) ? 1 : 0;
		return 0;
	case effEditClose:
		if (editor != nullptr)
			editor->close();
		return 0;
	case effEditIdle:
		if (editor != nullptr)
			editor->idle();
		return 0;
	default:
		return 0;
	}
}

intptr AudioEffect::call_host(int32 opcode, int32 index, intptr value, void *ptr, float opt)
{
	if (audioMaster == nullptr)
		return 0;
	return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

int32 AudioEffect::getMasterVersion()
{
	const intptr v = call_host(audioMasterVersion, 0, 0, nullptr, 0);
	return v == 0 ? 1 : static_cast<int32>(v);
}

void AudioEffect::setParameterAutomated(int32 index, float value)
{
	setParameter(index, value);
	call_host(audioMasterAutomate, index, 0, nullptr, value);
}

bool AudioEffect::isInputConnected(int32 input)
{
	// Hosts answer 0 for a connected pin.
	return call_host(audioMasterPinConnected, input, 0, nullptr, 0) == 0;
}

bool AudioEffect::isOutputConnected(int32 output)
{
	return call_host(audioMasterPinConnected, output, 1, nullptr, 0) == 0;
}

} // namespace vst2
