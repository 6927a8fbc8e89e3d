// A message that travels from the window down the trees, routed by its
// destination rectangle (a point reaches the first control hit, an area
// every control it overlaps). BROADCAST reaches every control.
#pragma once

#include "skane/MessageInterface.h"
#include "skane/Rect.h"

namespace skane
{

class MessageDown : public MessageInterface
{
public:
	static const Rect BROADCAST;

	explicit MessageDown(const Rect &dest = Rect()) : _dest(dest) {}
	const Rect &get_dest_rect() const { return _dest; }

private:
	Rect _dest;
};

} // namespace skane
