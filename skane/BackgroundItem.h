// Background leaf: one picture drawn with its hot point at the node's origin.
#pragma once

#include "skane/BackgroundNodeInterface.h"
#include "skane/Picture.h"

namespace skane
{

class BackgroundItem : public BackgroundNodeInterface
{
public:
	void set_picture(const Picture &pic) { _pic = pic; }
	const Picture &get_picture() const { return _pic; }
	// Asks for a repaint of the picture's clipper, placed at the origin.
	void invalidate();

protected:
	// Draws on Redraw; other messages are ignored.
	int do_send_message(MessageInterface &msg) override;

private:
	Picture _pic;
};

} // namespace skane
