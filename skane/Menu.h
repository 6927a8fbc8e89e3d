// The window's menu object: shows the menu list of a MenuRequest (the back
// end's do_begin) and runs the listener of the chosen item.
#pragma once

#include "skane/MenuRequest.h"

namespace skane
{

class MenuItem;
class MenuList;
class WindowInterface;

class Menu
{
public:
	virtual ~Menu() = default;

	// Keeps the request's list as menu data, then do_begin.
	int begin(const MenuRequest &request);
	int stop() { return do_stop(); }

	void set_menu_data(MenuList *list) { _data = list; }
	MenuList *use_menu_data() const { return _data; }
	void set_window(WindowInterface *window) { _window = window; }
	WindowInterface *use_window() const { return _window; }

	// Answer to a choice: the item of that id in the menu data; its
	// listener's result, 0 when there is no such item, no listener, or the
	// item is disabled.
	int choose(int id);

	// Depth-first search in list order through list and its sublists.
	static MenuItem *find_item(MenuList &list, int id);

protected:
	virtual int do_begin(const MenuRequest &request) = 0;
	virtual int do_stop() = 0;

private:
	MenuList *_data = nullptr;
	WindowInterface *_window = nullptr;
};

} // namespace skane
