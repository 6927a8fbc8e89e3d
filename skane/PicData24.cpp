#include "skane/PicData24.h"

#include "skane/BlitKernel.h"

namespace skane
{

PicData24::PicData24(const Coord2D &size, const AlphaRGB *pixels)
:	PicDataInterface(size)
,	_pixels(pixels)
{
}

void PicData24::blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const
{
	const int w = get_size().x;
	BlitKernel::copy(dest, buf, src_clip, get_size(), [this, w](int x, int y) {
		return BlitKernel::SrcPix{_pixels[static_cast<long>(y) * w + x], 255};
	});
}

} // namespace skane
