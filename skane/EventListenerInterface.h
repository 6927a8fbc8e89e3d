// Lets code outside the toolkit watch and steer a control: value changes
// pass through the listener (which may refuse or alter them), and it sees
// every message the control dispatches. The int arguments are priorities
// passed on to a parameter's arbitration; doubles are normalized values or
// control positions in [0, 1].
#pragma once

namespace skane
{

class ControlInterface;
class MessageInterface;

class EventListenerInterface
{
public:
	virtual ~EventListenerInterface() = default;

	virtual void activate() = 0;
	virtual void deactivate() = 0;
	virtual bool can_num_val_be_changed(int priority) = 0;
	virtual bool reserve_num_val(int priority) = 0;
	virtual void release_num_val(int priority) = 0;
	virtual double change_num_val(double val, int priority) = 0;
	virtual double change_num_val_user(double val, int priority) = 0;
	virtual double change_num_val_auto(double val, int priority) = 0;
	virtual void send_custom_event(long id, void *data) = 0;
	virtual double convert_norm_val_to_ctrl_pos(double val) = 0;
	virtual double convert_ctrl_pos_to_norm_val(double pos) = 0;
	virtual void spy_message_pre(const MessageInterface &msg) = 0;
	virtual void spy_message_post(const MessageInterface &msg) = 0;
	virtual void set_ci(ControlInterface &control) = 0;
	virtual ControlInterface &use_ci() const = 0;
};

} // namespace skane
