// Test utility: a menu that records what it was asked to show and answers
// when the test chooses an item.
#pragma once

#include "skane/Menu.h"

namespace skane
{

class TestMenu : public Menu
{
public:
	bool is_shown() const { return _shown; }
	const Coord2D &get_pos() const { return _pos; }

protected:
	int do_begin(const MenuRequest &request) override
	{
		_shown = true;
		_pos = request.get_pos();
		return 0;
	}
	int do_stop() override
	{
		_shown = false;
		return 0;
	}

private:
	bool _shown = false;
	Coord2D _pos;
};

} // namespace skane
