#include "skane/DefaultEventListener.h"

#include "skane/MiscMgrInterface.h"

namespace skane
{

double DefaultEventListener::change_num_val(double val, int priority)
{
	if (_misc_mgr != nullptr)
		_misc_mgr->val_changed(val, priority);
	return val;
}

void DefaultEventListener::spy_message_pre(const MessageInterface &msg)
{
	if (_misc_mgr != nullptr)
		_misc_mgr->spy_message_pre(msg);
}

void DefaultEventListener::spy_message_post(const MessageInterface &msg)
{
	if (_misc_mgr != nullptr)
		_misc_mgr->spy_message_post(msg);
}

void DefaultEventListener::set_misc_mgr(MiscMgrInterface &mgr)
{
	_misc_mgr = &mgr;
	mgr.set_listener(*this);
}

} // namespace skane
