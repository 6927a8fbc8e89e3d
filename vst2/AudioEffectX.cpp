#include "vst2/AudioEffectX.h"

#include "vst2/AEffEditor.h"

namespace vst2
{

intptr AudioEffectX::dispatcher(int32 opcode, int32 index, intptr value, void *ptr, float opt)
{
	switch (opcode)
	{
	case effProcessEvents:
		return ptr != nullptr ? processEvents(static_cast<VstEvents *>(ptr)) : 0;
	case effCanBeAutomated:
		return index >= 0 && canParameterBeAutomated(index) ? 1 : 0;
	case effString2Parameter:
		return index >= 0 && string2parameter(index, static_cast<char *>(ptr)) ? 1 : 0;
	case effGetProgramNameIndexed:
		return ptr != nullptr && index >= 0 && getProgramNameIndexed(static_cast<int32>(value), index, static_cast<char *>(ptr)) ? 1 : 0;
	case effCopyProgram:
		return index >= 0 && copyProgram(index) ? 1 : 0;
	case effGetInputProperties:
		return ptr != nullptr && index >= 0 && getInputProperties(index, static_cast<VstPinProperties *>(ptr)) ? 1 : 0;
	case effGetOutputProperties:
		return ptr != nullptr && index >= 0 && getOutputProperties(index, static_cast<VstPinProperties *>(ptr)) ? 1 : 0;
	case effGetPlugCategory:
		return getPlugCategory();
	case effSetBypass:
		return setBypass(value != 0) ? 1 : 0;
	case effGetEffectName:
		return ptr != nullptr && getEffectName(static_cast<char *>(ptr)) ? 1 : 0;
	case effGetVendorString:
		return ptr != nullptr && getVendorString(static_cast<char *>(ptr)) ? 1 : 0;
	case effGetProductString:
		return ptr != nullptr && getProductString(static_cast<char *>(ptr)) ? 1 : 0;
	case effGetVendorVersion:
		return getVendorVersion();
	case effVendorSpecific:
		return vendorSpecific(index, value, ptr, opt);
	case effCanDo:
		// "No" is -1 as a pointer-sized value.
		return ptr != nullptr ? static_cast<intptr>(canDo(static_cast<char *>(ptr))) : 0;
	case effGetTailSize:
		return getGetTailSize();
	case effGetParameterProperties:
		return ptr != nullptr && index >= 0 && getParameterProperties(index, static_cast<VstParameterProperties *>(ptr)) ? 1 : 0;
	case effKeysRequired:
		// An old compatibility quirk: the answer is the inverse.
		return keysRequired() ? 0 : 1;
	case effGetVstVersion:
		return getVstVersion();
	case effEditKeyDown:
		return editor != nullptr && editor->onKeyDown(index, value, opt) ? 1 : 0;
	case effEditKeyUp:
		return editor != nullptr && editor->onKeyUp(index, value, opt) ? 1 : 0;
	case effSetEditKnobMode:
		return editor != nullptr && editor->setKnobMode(static_cast<int32>(value)) ? 1 : 0;
	case effStartProcess:
		return startProcess();
	case effStopProcess:
		return stopProcess();
	default:
		return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
	}
}

bool AudioEffectX::wantEvents(int32 filter)
{
	return call_host(audioMasterWantMidi, 0, filter, nullptr, 0) != 0;
}

VstTimeInfo *AudioEffectX::getTimeInfo(int32 filter)
{
	return reinterpret_cast<VstTimeInfo *>(call_host(audioMasterGetTime, 0, filter, nullptr, 0));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents *events)
{
	return call_host(audioMasterProcessEvents, 0, 0, events, 0) == 1;
}

int32 AudioEffectX::getNumAutomatableParameters()
{
	return static_cast<int32>(call_host(audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0));
}

int32 AudioEffectX::getParameterQuantization()
{
	return static_cast<int32>(call_host(audioMasterGetParameterQuantization, 0, 0, nullptr, 0));
}

bool AudioEffectX::updateDisplay()
{
	return call_host(audioMasterUpdateDisplay, 0, 0, nullptr, 0) != 0;
}

bool AudioEffectX::canHostDo(const char *text)
{
	return call_host(audioMasterCanDo, 0, 0, const_cast<char *>(text), 0) != 0;
}

void *AudioEffectX::getDirectory()
{
	return reinterpret_cast<void *>(call_host(audioMasterGetDirectory, 0, 0, nullptr, 0));
}

bool AudioEffectX::sizeWindow(int32 width, int32 height)
{
	return call_host(audioMasterSizeWindow, width, height, nullptr, 0) != 0;
}

} // namespace vst2
