#include "skane/PicDataInterface.h"

#include "skane/BlitKernel.h"

#include <cmath>

namespace skane
{

void PicDataInterface::blit_rotate(float, float, const Coord2D &, float, RenderingBufferInterface &, const Rect &) const
{
}

void PicDataInterface::blit_rotate_alpha(float, float, const Coord2D &, float, RenderingBufferInterface &, const Rect &,
	float) const
{
}

void PicDataInterface::do_blit_subpix(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
	const Rect &src_clip) const
{
	if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e9f || std::fabs(y) > 1e9f)
		return;
	const long long fx = static_cast<long long>(std::floor(x));
	const long long fy = static_cast<long long>(std::floor(y));
	const long long x0 = pos.x - fx;
	const long long y0 = pos.y - fy;
	const Coord2D bs = buf.get_size();
	// A picture placed beyond the int range cannot reach the buffer.
	if (x0 < -(1LL << 30) || x0 > (1LL << 30) || y0 < -(1LL << 30) || y0 > (1LL << 30))
		return;
	blit(Rect(int(x0), int(y0), int(x0 + bs.x), int(y0 + bs.y)), buf, src_clip);
}

void PicDataInterface::do_blit_subpix_alpha(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
	const Rect &src_clip, float) const
{
	do_blit_subpix(x, y, pos, buf, src_clip);
}

void PicDataInterface::blit_alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip, float) const
{
	blit(dest, buf, src_clip);
}

void PicDataInterface::blit_subpix(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
	const Rect &src_clip) const
{
	const Rect clip = BlitKernel::clamp_to_pic(src_clip, _size);
	if (clip.is_empty())
		return;
	do_blit_subpix(x, y, pos, buf, clip);
}

} // namespace skane
