// The VST 2 extensions: names, properties, can-dos, events, chunks.
#pragma once

#include "vst2/AudioEffect.h"

namespace vst2
{

class AudioEffectX : public AudioEffect
{
public:
	using AudioEffect::AudioEffect;

	intptr dispatcher(int32 opcode, int32 index, intptr value, void *ptr, float opt) override;

	virtual int32 processEvents(VstEvents *events) { (void)events; return 0; }
	virtual bool canParameterBeAutomated(int32 index) { (void)index; return true; }
	virtual bool string2parameter(int32 index, char *text) { (void)index; (void)text; return false; }
	virtual bool getProgramNameIndexed(int32 category, int32 index, char *text) { (void)category; (void)index; (void)text; return false; }
	virtual bool copyProgram(int32 destination) { (void)destination; return false; }
	virtual bool getInputProperties(int32 index, VstPinProperties *props) { (void)index; (void)props; return false; }
	virtual bool getOutputProperties(int32 index, VstPinProperties *props) { (void)index; (void)props; return false; }
	virtual int32 getPlugCategory() { return kPlugCategUnknown; }
	virtual bool setBypass(bool on) { (void)on; return false; }
	virtual bool getEffectName(char *name) { (void)name; return false; }
	virtual bool getVendorString(char *text) { (void)text; return false; }
	virtual bool getProductString(char *text) { (void)text; return false; }
	virtual int32 getVendorVersion() { return 0; }
	virtual intptr vendorSpecific(int32, intptr, void *, float) { return 0; }
	// 1 yes, -1 no, 0 don't know.
	virtual int32 canDo(char *text) { (void)text; return 0; }
	virtual int32 getGetTailSize() { return 0; }
	virtual bool getParameterProperties(int32 index, VstParameterProperties *p) { (void)index; (void)p; return false; }
	virtual int32 keysRequired() { return 0; }
	virtual int32 getVstVersion() { return VST_VERSION; }
	virtual int32 startProcess() { return 0; }
	virtual int32 stopProcess() { return 0; }

	// Host services of the extensions.
	bool wantEvents(int32 filter = 1);
	VstTimeInfo *getTimeInfo(int32 filter);
	bool sendVstEventsToHost(VstEvents *events);
	int32 getNumAutomatableParameters();
	int32 getParameterQuantization();
	bool updateDisplay();
	bool canHostDo(const char *text);
	void *getDirectory();
	bool sizeWindow(int32 width, int32 height);
};

} // namespace vst2
