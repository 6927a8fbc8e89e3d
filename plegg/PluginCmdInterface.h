// Commands into the host binding, used by the editor side and the MIDI manager.
#pragma once

namespace plegg
{

class ProgramSlot;

class PluginCmdInterface
{
public:
	virtual ~PluginCmdInterface() = default;
	virtual bool is_param_free(int index, int priority) = 0;
	virtual void reserve_param(int index, int priority) = 0;
	virtual void release_param(int index, int priority) = 0;
	// Changes the parameter in plug-in, engine and editor; the host is not told.
	virtual bool set_param_pi(long index, float norm, int priority) = 0;
	// The same, then MIDI out and host automation.
	virtual bool set_param_pi_and_host(long index, float norm, int priority) = 0;
	virtual void set_program_pi_and_host(const ProgramSlot &slot, int priority, bool release, bool notify_host) = 0;
};

} // namespace plegg
