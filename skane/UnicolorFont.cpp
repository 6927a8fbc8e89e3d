#include "skane/UnicolorFont.h"

#include "skane/BlitKernel.h"

namespace skane
{

UnicolorFont::UnicolorFont(const Coord2D &size, const std::uint8_t *coverage)
:	FontInterface(size)
,	_coverage(coverage)
{
	const std::uint8_t *marker = coverage + static_cast<long>(size.y - 1) * size.x;
	decode_cells([marker](int x) { return marker[x] == marker[x - 1]; });
}

void UnicolorFont::blit_char(int sx0, int sx1, int sy0, int sy1, AlphaRGB *dst, int stride, long color) const
{
	const AlphaRGB c = AlphaRGB::from_rgb(color);
	const int w = get_pic_size().x;
	for (int y = sy0; y < sy1; ++y, dst += stride)
	{
		const std::uint8_t *src = _coverage + static_cast<long>(y) * w;
		for (int x = sx0; x < sx1; ++x)
		{
			const int a = src[x];
			AlphaRGB &d = dst[x - sx0];
			d.b = BlitKernel::blend8(d.b, c.b, a);
			d.g = BlitKernel::blend8(d.g, c.g, a);
			d.r = BlitKernel::blend8(d.r, c.r, a);
		}
	}
}

} // namespace skane
