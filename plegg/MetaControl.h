// Pairs an editor control with the listener that binds it to a parameter.
// Neither is owned.
#pragma once

namespace skane
{
class ControlInterface;
}

namespace plegg
{

class ListenerBase;
class NormalizedParamInterface;

class MetaControl
{
public:
	virtual ~MetaControl() = default;

	// Stores both and installs the listener on the control (once).
	void connect(skane::ControlInterface &control, ListenerBase &listener);
	bool is_connected() const { return _control != nullptr && _listener != nullptr; }
	skane::ControlInterface *use_control() const { return _control; }
	ListenerBase *use_listener() const { return _listener; }
	// The listener's parameter; null when not connected or not associated.
	NormalizedParamInterface *use_param() const;
	// Moves the control to the parameter's value (automatic path, flag 1).
	void update_param();
	// Moves the control to norm (automatic path).
	void set_param(double norm, int flag);

private:
	skane::ControlInterface *_control = nullptr;
	ListenerBase *_listener = nullptr;
};

} // namespace plegg
