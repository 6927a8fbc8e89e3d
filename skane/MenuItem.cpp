#include "skane/MenuItem.h"

#include "skane/MenuListenerInterface.h"

namespace skane
{

MenuItem::MenuIdGenerator &MenuItem::MenuIdGenerator::get_instance()
{
	static MenuIdGenerator instance;
	return instance;
}

MenuItem::MenuItem(const std::string &label, bool checkable, bool checked, bool disabled)
:	MenuNodeInterface(label)
,	_id(MenuIdGenerator::get_instance().get_id())
,	_checkable(checkable)
,	_checked(checked)
,	_disabled(disabled)
{
}

void MenuItem::set_listener(MenuListenerInterface *listener)
{
	_listener = listener;
	if (listener != nullptr)
		listener->set_item(*this);
}

} // namespace skane
