// The action of a menu item, run on the window's thread after the choice.
#pragma once

namespace skane
{

class MenuItem;

class MenuListenerInterface
{
public:
	virtual ~MenuListenerInterface() = default;

	int act() { return do_act(); }
	void set_item(MenuItem &item) { _item = &item; }
	MenuItem *use_item() const { return _item; }

protected:
	virtual int do_act() = 0;

private:
	MenuItem *_item = nullptr;
};

} // namespace skane
