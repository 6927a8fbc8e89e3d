// Paints the destination rectangle (a window tile) into the rendering
// buffer, whose top-left pixel is the tile's top-left.
#pragma once

#include "skane/GraphicMessage.h"
#include "skane/MessageDown.h"
#include "skane/RenderingBufferInterface.h"

namespace skane
{

class Redraw : public GraphicMessage, public MessageDown
{
public:
	Redraw(RenderingBufferInterface &buf, const Rect &dest) : MessageDown(dest), _buf(buf) {}
	RenderingBufferInterface &get_rend_buf_ref() const { return _buf; }

private:
	RenderingBufferInterface &_buf;
};

} // namespace skane
