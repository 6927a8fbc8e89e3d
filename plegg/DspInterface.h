// The engine as the host binding sees it.
#pragma once

#include <string>

namespace plegg
{

class GuiInterface;
class HostDspInterface;
class NormalizedParamInterface;
class PinProperty;
class ProgramSlot;

class DspInterface
{
public:
	virtual ~DspInterface() = default;
	virtual int init() = 0;
	virtual void set_default_state() = 0;
	virtual void restore() = 0;
	virtual HostDspInterface *get_host() const = 0;
	virtual void set_host(HostDspInterface &host) = 0;
	virtual GuiInterface *get_gui() const = 0;
	virtual void set_gui(GuiInterface &gui) = 0;
	virtual int get_nbr_in_pin() const = 0;
	virtual const PinProperty &get_input_pin_prop(int pin) const = 0;
	virtual int get_nbr_out_pin() const = 0;
	virtual const PinProperty &get_output_pin_prop(int pin) const = 0;
	virtual int get_min_sample_freq() const = 0;
	virtual int get_max_sample_freq() const = 0;
	virtual void set_sample_freq(float hz) = 0;
	virtual void set_sample_scale(float scale) = 0;
	virtual int get_nbr_param() const = 0;
	virtual NormalizedParamInterface &get_param_ref(int index) const = 0;
	virtual void set_program_name(const std::string &name) = 0;
	virtual std::string get_program_name() const = 0;
	virtual void send_scalar_msg(int id, float value) = 0;
	// Numeric property by name: "plugin_version", "can_mono", "can_scaled_val".
	virtual double get_property(const char *name) const = 0;
	// String property by name: "plugin_name", "plugin_category".
	virtual std::string get_string_property(const char *name) const = 0;
	virtual void clear_buffers() = 0;
	virtual void set_tempo(float bpm) = 0;
	virtual void do_set_program(const ProgramSlot &slot) = 0;
	virtual void do_get_program(ProgramSlot &slot) = 0;
	// Channel pointers are indexed by host channel. Both return the flag.
	virtual bool do_process_replacing(float **out, const float **in, long nbr_spl, bool flag) = 0;
	virtual bool do_process_mix(float **out, const float **in, long nbr_spl, bool flag) = 0;
};

} // namespace plegg
