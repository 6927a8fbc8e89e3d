// Hook that a default listener forwards value changes and spied messages
// to. No implementation in the toolkit itself.
#pragma once

namespace skane
{

class EventListenerInterface;
class MessageInterface;

class MiscMgrInterface
{
public:
	virtual ~MiscMgrInterface() = default;

	virtual void val_changed(double val, int priority) = 0;
	virtual void spy_message_pre(const MessageInterface &msg) = 0;
	virtual void spy_message_post(const MessageInterface &msg) = 0;

	void set_listener(EventListenerInterface &listener) { _listener = &listener; }
	EventListenerInterface *get_def_list_ptr() const { return _listener; }

private:
	EventListenerInterface *_listener = nullptr;
};

} // namespace skane
