#include "skane/SPTreeNodeInterface.h"

#include "skane/Invalidate.h"
#include "skane/ShowObject.h"

namespace skane
{

int SPTreeNodeInterface::send_message(MessageInterface &msg)
{
	if (dynamic_cast<MessageUp *>(&msg) != nullptr)
		return _father != nullptr ? _father->send_message(msg) : -1;
	if (const ShowObject *so = dynamic_cast<const ShowObject *>(&msg))
		set_show_flag(so->is_shown());
	return do_send_message(msg);
}

void SPTreeNodeInterface::refresh_coord(const Coord2D &origin)
{
	_origin = origin;
}

void SPTreeNodeInterface::set_show_flag(bool shown)
{
	_shown = shown;
	do_set_show_flag();
}

void SPTreeNodeInterface::invalidate_all()
{
	Invalidate inv(_area + _origin);
	send_message(inv);
}

} // namespace skane
