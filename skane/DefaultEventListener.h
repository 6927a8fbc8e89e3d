// Listener that accepts every change unaltered and forwards value changes
// and spied messages to an optional misc manager. Base of the plug-in's
// parameter, preset and learn listeners.
#pragma once

#include "skane/EventListenerInterface.h"

namespace skane
{

class MiscMgrInterface;

class DefaultEventListener : public EventListenerInterface
{
public:
	void activate() override {}
	void deactivate() override {}
	bool can_num_val_be_changed(int) override { return true; }
	bool reserve_num_val(int) override { return true; }
	void release_num_val(int) override {}
	double change_num_val(double val, int priority) override;
	double change_num_val_user(double val, int) override { return val; }
	double change_num_val_auto(double val, int) override { return val; }
	void send_custom_event(long, void *) override {}
	double convert_norm_val_to_ctrl_pos(double val) override { return val; }
	double convert_ctrl_pos_to_norm_val(double pos) override { return pos; }
	void spy_message_pre(const MessageInterface &msg) override;
	void spy_message_post(const MessageInterface &msg) override;
	void set_ci(ControlInterface &control) override { _control = &control; }
	// The control this listener serves; only valid once installed.
	ControlInterface &use_ci() const override { return *_control; }
	ControlInterface *get_ci_ptr() const { return _control; }

	// Stores the manager and registers this listener with it.
	void set_misc_mgr(MiscMgrInterface &mgr);
	MiscMgrInterface *get_misc_mgr() const { return _misc_mgr; }

private:
	ControlInterface *_control = nullptr;
	MiscMgrInterface *_misc_mgr = nullptr;
};

} // namespace skane
