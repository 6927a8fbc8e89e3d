// Services the host binding offers the editor.
#pragma once

#include <string>

namespace plegg
{

class MidiMgr;
class ProgramSlot;

class HostGuiInterface
{
public:
	virtual ~HostGuiInterface() = default;
	virtual int init() = 0;
	virtual double get_property(const char *name) const = 0;
	virtual std::string get_string_property(const char *name) const = 0;
	virtual bool is_param_free(int index, int priority) = 0;
	virtual void reserve_param(int index, int priority) = 0;
	virtual void release_param(int index, int priority) = 0;
	virtual void set_param(int index, float norm, int priority) = 0;
	virtual void set_program(const ProgramSlot &slot, int priority) = 0;
	// 0 done, -1 refused.
	virtual int resize_window(int w, int h) = 0;
	virtual std::string get_plugin_dir() = 0;
	virtual MidiMgr *use_midi_interface() = 0;
};

} // namespace plegg
