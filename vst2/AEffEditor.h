// The editor slot of a plug-in: the dispatcher's editor opcodes go here.
#pragma once

#include "vst2/aeffect.h"

namespace vst2
{

class AudioEffect;

class AEffEditor
{
public:
	explicit AEffEditor(AudioEffect *effect) : effect(effect) {}
	virtual ~AEffEditor() = default;
	AEffEditor(const AEffEditor &) = delete;
	AEffEditor &operator=(const AEffEditor &) = delete;

	// Non-zero answers tell the host the call succeeded.
	virtual bool getRect(ERect **rect)
	{
		*rect = nullptr;
		return false;
	}
	virtual bool open(void *parent, intptr display)
	{
		(void)parent;
		(void)display;
		return false;
	}
	virtual void close() {}
	virtual void idle() {}
	virtual bool onKeyDown(int32 index, intptr value, float opt)
	{
		(void)index;
		(void)value;
		(void)opt;
		return false;
	}
	virtual bool onKeyUp(int32 index, intptr value, float opt)
	{
		(void)index;
		(void)value;
		(void)opt;
		return false;
	}
	virtual bool setKnobMode(int32 mode)
	{
		(void)mode;
		return false;
	}

protected:
	AudioEffect *effect;
};

} // namespace vst2
