#include "skane/MulticolorFont.h"

#include "skane/BlitKernel.h"

namespace skane
{

MulticolorFont::MulticolorFont(const Coord2D &size, const AlphaP *pixels, const AlphaRGB *palette, int nbr_colors)
:	FontInterface(size)
,	_pixels(pixels)
,	_palette(palette)
,	_nbr_colors(nbr_colors)
{
	const AlphaP *marker = pixels + static_cast<long>(size.y - 1) * size.x;
	decode_cells([marker](int x) {
		return marker[x].index == marker[x - 1].index && marker[x].alpha == marker[x - 1].alpha;
	});
}

void MulticolorFont::blit_char(int sx0, int sx1, int sy0, int sy1, AlphaRGB *dst, int stride, long) const
{
	const int w = get_pic_size().x;
	for (int y = sy0; y < sy1; ++y, dst += stride)
	{
		const AlphaP *src = _pixels + static_cast<long>(y) * w;
		for (int x = sx0; x < sx1; ++x)
		{
			const AlphaP p = src[x];
			if (p.index >= _nbr_colors)
				continue;
			const AlphaRGB s = _palette[p.index];
			const int a = 255 - p.alpha;
			AlphaRGB &d = dst[x - sx0];
			d.b = BlitKernel::blend8(d.b, s.b, a);
			d.g = BlitKernel::blend8(d.g, s.g, a);
			d.r = BlitKernel::blend8(d.r, s.r, a);
		}
	}
}

} // namespace skane
