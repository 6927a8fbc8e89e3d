#include "skane/AlphaPicData8.h"

#include "skane/BlitKernel.h"

#include <cmath>

namespace skane
{

AlphaPicData8::AlphaPicData8(const Coord2D &size, const AlphaP *pixels, const AlphaRGB *palette, int nbr_colors)
:	PicDataInterface(size)
,	_pixels(pixels)
,	_palette(palette)
,	_nbr_colors(nbr_colors)
{
}

auto AlphaPicData8::fetcher() const
{
	const int w = get_size().x;
	return [this, w](int x, int y) {
		const AlphaP p = _pixels[static_cast<long>(y) * w + x];
		return BlitKernel::SrcPix{p.index < _nbr_colors ? _palette[p.index] : AlphaRGB{0, 0, 0, 0}, p.alpha};
	};
}

void AlphaPicData8::blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const
{
	BlitKernel::alpha(dest, buf, src_clip, get_size(), 256, fetcher(), BlitKernel::blend8);
}

void AlphaPicData8::blit_alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip,
	float alpha) const
{
	BlitKernel::alpha(dest, buf, src_clip, get_size(), BlitKernel::global_weight(alpha), fetcher(),
		BlitKernel::blend8);
}

void AlphaPicData8::blit_rotate(float x, float y, const Coord2D &pos, float angle,
	RenderingBufferInterface &buf, const Rect &src_clip) const
{
	blit_rotate_alpha(x, y, pos, angle, buf, src_clip, 1.0f);
}

void AlphaPicData8::blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle,
	RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const
{
	const double a = angle;
	BlitKernel::bilinear(src_clip, get_size(), x, y, std::cos(a), std::sin(a), pos, buf,
		BlitKernel::global_weight(alpha), fetcher());
}

void AlphaPicData8::do_blit_subpix(float x, float y, const Coord2D &pos,
	RenderingBufferInterface &buf, const Rect &src_clip) const
{
	BlitKernel::bilinear(src_clip, get_size(), x, y, 1.0, 0.0, pos, buf, 256, fetcher());
}

void AlphaPicData8::do_blit_subpix_alpha(float x, float y, const Coord2D &pos,
	RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const
{
	BlitKernel::bilinear(src_clip, get_size(), x, y, 1.0, 0.0, pos, buf,
		BlitKernel::global_weight(alpha), fetcher());
}

} // namespace skane
