// An engine that does nothing: one pin each way, no parameters, no program.
// Tests derive from it and override what they watch.
#pragma once

#include <cstdlib>
#include <string>

#include "plegg/DspInterface.h"
#include "plegg/PinProperty.h"

class StubDsp : public plegg::DspInterface
{
public:
	int init() override { return 0; }
	void set_default_state() override {}
	void restore() override {}
	plegg::HostDspInterface *get_host() const override { return nullptr; }
	void set_host(plegg::HostDspInterface &) override {}
	plegg::GuiInterface *get_gui() const override { return nullptr; }
	void set_gui(plegg::GuiInterface &) override {}
	int get_nbr_in_pin() const override { return 1; }
	const plegg::PinProperty &get_input_pin_prop(int) const override { return pin; }
	int get_nbr_out_pin() const override { return 1; }
	const plegg::PinProperty &get_output_pin_prop(int) const override { return pin; }
	int get_min_sample_freq() const override { return 4000; }
	int get_max_sample_freq() const override { return 96000; }
	void set_sample_freq(float) override {}
	void set_sample_scale(float) override {}
	int get_nbr_param() const override { return 0; }
	plegg::NormalizedParamInterface &get_param_ref(int) const override { std::abort(); }
	void set_program_name(const std::string &) override {}
	std::string get_program_name() const override { return {}; }
	void send_scalar_msg(int, float) override {}
	double get_property(const char *) const override { return 0; }
	std::string get_string_property(const char *) const override { return {}; }
	void clear_buffers() override {}
	void set_tempo(float) override {}
	void do_set_program(const plegg::ProgramSlot &) override {}
	void do_get_program(plegg::ProgramSlot &) override {}
	bool do_process_replacing(float **, const float **, long, bool flag) override { return flag; }
	bool do_process_mix(float **, const float **, long, bool flag) override { return flag; }

protected:
	plegg::PinProperty pin{2};
};
