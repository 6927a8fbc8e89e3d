#include "skane/PicData8.h"

#include "skane/BlitKernel.h"

namespace skane
{

PicData8::PicData8(const Coord2D &size, const std::uint8_t *pixels, const AlphaRGB *palette, int nbr_colors)
:	PicDataInterface(size)
,	_pixels(pixels)
,	_palette(palette)
,	_nbr_colors(nbr_colors)
{
}

void PicData8::blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const
{
	const int w = get_size().x;
	BlitKernel::copy(dest, buf, src_clip, get_size(), [this, w](int x, int y) {
		const int idx = _pixels[static_cast<long>(y) * w + x];
		return BlitKernel::SrcPix{idx < _nbr_colors ? _palette[idx] : AlphaRGB{0, 0, 0, 0}, 255};
	});
}

} // namespace skane
