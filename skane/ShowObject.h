// Shows or hides the objects it reaches.
#pragma once

#include "skane/MessageDown.h"

namespace skane
{

class ShowObject : public MessageDown
{
public:
	ShowObject(const Rect &dest, bool shown) : MessageDown(dest), _shown(shown) {}
	bool is_shown() const { return _shown; }

private:
	bool _shown;
};

} // namespace skane
