#include "skane/AlphaPicData24.h"

#include "skane/BlitKernel.h"

#include <cmath>

namespace skane
{

AlphaPicData24::AlphaPicData24(const Coord2D &size, const AlphaRGB *pixels)
:	PicDataInterface(size)
,	_pixels(pixels)
{
}

auto AlphaPicData24::fetcher() const
{
	const int w = get_size().x;
	return [this, w](int x, int y) {
		const AlphaRGB p = _pixels[static_cast<long>(y) * w + x];
		return BlitKernel::SrcPix{p, p.a};
	};
}

void AlphaPicData24::blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const
{
	BlitKernel::alpha(dest, buf, src_clip, get_size(), 256, fetcher(), BlitKernel::blend24);
}

void AlphaPicData24::blit_alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip,
	float alpha) const
{
	BlitKernel::alpha(dest, buf, src_clip, get_size(), BlitKernel::global_weight(alpha), fetcher(),
		BlitKernel::blend24);
}

void AlphaPicData24::blit_rotate(float x, float y, const Coord2D &pos, float angle,
	RenderingBufferInterface &buf, const Rect &src_clip) const
{
	blit_rotate_alpha(x, y, pos, angle, buf, src_clip, 1.0f);
}

void AlphaPicData24::blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle,
	RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const
{
	const double a = angle;
	BlitKernel::bilinear(src_clip, get_size(), x, y, std::cos(a), std::sin(a), pos, buf,
		BlitKernel::global_weight(alpha), fetcher());
}

void AlphaPicData24::do_blit_subpix(float x, float y, const Coord2D &pos,
	RenderingBufferInterface &buf, const Rect &src_clip) const
{
	BlitKernel::bilinear(src_clip, get_size(), x, y, 1.0, 0.0, pos, buf, 256, fetcher());
}

void AlphaPicData24::do_blit_subpix_alpha(float x, float y, const Coord2D &pos,
	RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const
{
	BlitKernel::bilinear(src_clip, get_size(), x, y, 1.0, 0.0, pos, buf,
		BlitKernel::global_weight(alpha), fetcher());
}

} // namespace skane
