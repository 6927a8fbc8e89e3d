// The editor as the host binding and the engine see it.
#pragma once

namespace plegg
{

class DspInterface;
class HostGuiInterface;

class GuiInterface
{
public:
	virtual ~GuiInterface() = default;
	virtual int init() = 0;
	virtual void set_default_state() = 0;
	virtual void restore() = 0;
	virtual HostGuiInterface *get_host() const = 0;
	virtual void set_host(HostGuiInterface &host) = 0;
	virtual DspInterface *get_dsp() const = 0;
	virtual void set_dsp(DspInterface &dsp) = 0;
	virtual void set_msg_mgr_ptr(void *ptr) = 0;
	virtual void *get_msg_mgr_ptr() const = 0;
	virtual void get_max_window_size(int &w, int &h) const = 0;
	virtual void get_window_size(int &w, int &h) const = 0;
	// 0 on success.
	virtual int open(void *parent) = 0;
	virtual void close() = 0;
	// A value changed elsewhere; may be called on the audio thread (host
	// automation), so implementations hand it over without locking.
	virtual void set_param(int index, float norm, int priority) = 0;
	virtual void set_hidden_param(int index, float norm) = 0;
	virtual void set_tempo(float bpm) = 0;
	virtual void set_control_top_layer_pic(int control, int pic) = 0;
};

} // namespace plegg
