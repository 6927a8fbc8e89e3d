#include "skane/Menu.h"

#include "skane/MenuItem.h"
#include "skane/MenuList.h"
#include "skane/MenuListenerInterface.h"

namespace skane
{

int Menu::begin(const MenuRequest &request)
{
	_data = &request.use_menu_list();
	return do_begin(request);
}

int Menu::choose(int id)
{
	if (_data == nullptr)
		return 0;
	MenuItem *item = find_item(*_data, id);
	if (item == nullptr || item->is_disable() || item->use_listener() == nullptr)
		return 0;
	return item->use_listener()->act();
}

namespace
{

// Lists nested deeper than this are taken for a list that holds itself.
constexpr int MAX_DEPTH = 64;

MenuItem *find_in(MenuList &list, int id, int depth)
{
	if (depth > MAX_DEPTH)
		return nullptr;
	for (int i = 0; i < list.size(); ++i)
	{
		MenuNodeInterface *node = list.use_node(i);
		if (MenuItem *item = dynamic_cast<MenuItem *>(node))
		{
			if (item->get_id() == id)
				return item;
		}
		else if (MenuList *sub = dynamic_cast<MenuList *>(node))
		{
			if (MenuItem *found = find_in(*sub, id, depth + 1))
				return found;
		}
	}
	return nullptr;
}

} // namespace

MenuItem *Menu::find_item(MenuList &list, int id)
{
	return find_in(list, id, 0);
}

} // namespace skane
