// Asks the window to repaint a zone (window coordinates) later.
#pragma once

#include "skane/GraphicMessage.h"
#include "skane/MessageUp.h"
#include "skane/Rect.h"

namespace skane
{

class Invalidate : public MessageUp, public GraphicMessage
{
public:
	explicit Invalidate(const Rect &zone) : _zone(zone) {}
	const Rect &get_zone() const { return _zone; }
	void set_zone(const Rect &zone) { _zone = zone; }

private:
	Rect _zone;
};

} // namespace skane
