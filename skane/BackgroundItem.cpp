#include "skane/BackgroundItem.h"

#include "skane/Invalidate.h"
#include "skane/Redraw.h"

namespace skane
{

void BackgroundItem::invalidate()
{
	Invalidate inv(_pic.get_src_clipper() - _pic.get_hot() + get_coord2D());
	send_message(inv);
}

int BackgroundItem::do_send_message(MessageInterface &msg)
{
	if (const Redraw *rd = dynamic_cast<const Redraw *>(&msg))
		_pic.blit(rd->get_dest_rect() - get_coord2D(), rd->get_rend_buf_ref());
	return 0;
}

} // namespace skane
