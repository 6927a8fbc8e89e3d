// Pixel loops shared by the picture data kinds and the fonts: clipping of
// integer-position copies, the two 8-bit blend formulas and the bilinear
// four-neighbour blend used for sub-pixel placement and rotation.
// Every loop clips against the buffer, the picture and the source clipper
// before touching a pixel.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/Coord2D.h"
#include "skane/Rect.h"
#include "skane/RenderingBufferInterface.h"

#include <algorithm>
#include <cmath>

namespace skane
{

class BlitKernel
{
public:
	// A source pixel: colour and its own alpha (255 for opaque kinds).
	struct SrcPix
	{
		AlphaRGB col;
		int alpha;
	};

	// clip limited to the picture (0, 0, size); may be empty.
	static Rect clamp_to_pic(const Rect &clip, const Coord2D &pic_size)
	{
		return clip.intersect(Rect(0, 0, std::max(pic_size.x, 0), std::max(pic_size.y, 0)));
	}

	// Picture area drawn by an integer-position blit: dest (picture
	// coordinates that map to the buffer's top-left) limited to the buffer's
	// size, the picture and the clipper. False when nothing is drawn.
	static bool plain_area(const Rect &dest, const Coord2D &buf_size, const Rect &clip,
		const Coord2D &pic_size, Rect &area)
	{
		const Rect c = clamp_to_pic(clip, pic_size);
		const long long bx1 = static_cast<long long>(dest.x0) + buf_size.x;
		const long long by1 = static_cast<long long>(dest.y0) + buf_size.y;
		const long long x0 = std::max<long long>(dest.x0, c.x0);
		const long long y0 = std::max<long long>(dest.y0, c.y0);
		const long long x1 = std::min<long long>(std::min<long long>(dest.x1, c.x1), bx1);
		const long long y1 = std::min<long long>(std::min<long long>(dest.y1, c.y1), by1);
		if (x1 <= x0 || y1 <= y0)
			return false;
		area = Rect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1));
		return true;
	}

	// d + floor((s - d) * a / 256): palette alpha pictures and glyphs.
	static std::uint8_t blend8(std::uint8_t d, std::uint8_t s, int a)
	{
		return static_cast<std::uint8_t>(d + (((s - d) * a) >> 8));
	}

	// (s * a + d * (255 - a)) >> 8: direct-colour alpha pictures.
	static std::uint8_t blend24(std::uint8_t d, std::uint8_t s, int a)
	{
		return static_cast<std::uint8_t>((s * a + d * (255 - a)) >> 8);
	}

	// Integer weight of a global opacity: floor(opacity * 256 + 0.5) in 0..256.
	static int global_weight(float opacity)
	{
		if (!(opacity > 0.0f))
			return 0;
		if (opacity >= 1.0f)
			return 256;
		return static_cast<int>(std::floor(static_cast<double>(opacity) * 256.0 + 0.5));
	}

	// Copies fetch(px, py) whole into the buffer over the area of dest.
	template <class Fetch>
	static void copy(const Rect &dest, RenderingBufferInterface &buf, const Rect &clip,
		const Coord2D &pic_size, const Fetch &fetch)
	{
		AlphaRGB *data = buf.get_data_ptr();
		Rect area;
		if (data == nullptr || !plain_area(dest, buf.get_size(), clip, pic_size, area))
			return;
		const int bw = buf.get_size().x;
		for (int py = area.y0; py < area.y1; ++py)
		{
			AlphaRGB *row = data + static_cast<long>(py - dest.y0) * bw - dest.x0;
			for (int px = area.x0; px < area.x1; ++px)
				row[px] = fetch(px, py).col;
		}
	}

	// Per-pixel alpha blit: the alpha a is first scaled by the weight A
	// ((a * A) >> 8); 0 leaves the buffer, 255 copies all four bytes, other
	// values blend the colour bytes with blend (blend8 or blend24).
	template <class Fetch, class Blend>
	static void alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &clip,
		const Coord2D &pic_size, int weight, const Fetch &fetch, Blend blend)
	{
		AlphaRGB *data = buf.get_data_ptr();
		Rect area;
		if (data == nullptr || weight <= 0 || !plain_area(dest, buf.get_size(), clip, pic_size, area))
			return;
		const int bw = buf.get_size().x;
		for (int py = area.y0; py < area.y1; ++py)
		{
			AlphaRGB *row = data + static_cast<long>(py - dest.y0) * bw - dest.x0;
			for (int px = area.x0; px < area.x1; ++px)
			{
				const SrcPix s = fetch(px, py);
				const int a = (s.alpha * weight) >> 8;
				if (a <= 0)
					continue;
				AlphaRGB &d = row[px];
				if (a >= 255)
					d = s.col;
				else
				{
					d.b = blend(d.b, s.col.b, a);
					d.g = blend(d.g, s.col.g, a);
					d.r = blend(d.r, s.col.r, a);
				}
			}
		}
	}

	// Bilinear blit. Picture pixel (px, py) is sampled at the window point
	// (ox, oy) + R (px, py), R turning counter-clockwise on screen by the
	// angle whose cosine and sine are c and s; the buffer's top-left pixel is
	// the window point pos. Each buffer pixel is blended from the four source
	// pixels around its inverse-rotated position with the weights
	// w11 = (A fy fx) >> 16, w10 = ((A fx) >> 8) - w11, w01 = ((A fy) >> 8) - w11,
	// w00 = A - w11 - w10 - w01 (fx, fy: 8-bit fractions), each multiplied by
	// that neighbour's alpha; neighbours outside the clipper add nothing.
	template <class Fetch>
	static void bilinear(const Rect &clip_in, const Coord2D &pic_size, double ox, double oy,
		double c, double s, const Coord2D &pos, RenderingBufferInterface &buf, int weight,
		const Fetch &fetch)
	{
		const Rect clip = clamp_to_pic(clip_in, pic_size);
		AlphaRGB *data = buf.get_data_ptr();
		const Coord2D bs = buf.get_size();
		if (data == nullptr || clip.is_empty() || weight <= 0 || bs.x <= 0 || bs.y <= 0)
			return;
		if (!std::isfinite(ox) || !std::isfinite(oy) || !std::isfinite(c) || !std::isfinite(s))
			return;

		// Window area covered by the transformed clipper (one pixel margin).
		double wx0 = 1e300, wy0 = 1e300, wx1 = -1e300, wy1 = -1e300;
		const double cx[2] = {clip.x0 - 1.0, static_cast<double>(clip.x1)};
		const double cy[2] = {clip.y0 - 1.0, static_cast<double>(clip.y1)};
		for (double px : cx)
			for (double py : cy)
			{
				const double wx = ox + px * c + py * s;
				const double wy = oy - px * s + py * c;
				wx0 = std::min(wx0, wx);
				wx1 = std::max(wx1, wx);
				wy0 = std::min(wy0, wy);
				wy1 = std::max(wy1, wy);
			}
		// Buffer-relative bounds, clamped before any conversion to int.
		const double bx0 = std::max(std::floor(wx0) - 1.0 - pos.x, 0.0);
		const double by0 = std::max(std::floor(wy0) - 1.0 - pos.y, 0.0);
		const double bx1 = std::min(std::ceil(wx1) + 2.0 - pos.x, static_cast<double>(bs.x));
		const double by1 = std::min(std::ceil(wy1) + 2.0 - pos.y, static_cast<double>(bs.y));
		if (!(bx1 > bx0) || !(by1 > by0))
			return;
		const int ix0 = static_cast<int>(bx0), iy0 = static_cast<int>(by0);
		const int ix1 = static_cast<int>(bx1), iy1 = static_cast<int>(by1);

		for (int by = iy0; by < iy1; ++by)
		{
			const double dy = (static_cast<double>(pos.y) + by) - oy;
			AlphaRGB *row = data + static_cast<long>(by) * bs.x;
			for (int bx = ix0; bx < ix1; ++bx)
			{
				const double dx = (static_cast<double>(pos.x) + bx) - ox;
				const double sx = dx * c - dy * s;
				const double sy = dx * s + dy * c;
				const double flx = std::floor(sx);
				const double fly = std::floor(sy);
				if (flx < clip.x0 - 1.0 || flx >= clip.x1 || fly < clip.y0 - 1.0 || fly >= clip.y1)
					continue;
				const int ix = static_cast<int>(flx);
				const int iy = static_cast<int>(fly);
				const int fx = std::clamp(static_cast<int>((sx - flx) * 256.0), 0, 255);
				const int fy = std::clamp(static_cast<int>((sy - fly) * 256.0), 0, 255);
				const int w11 = (weight * fy * fx) >> 16;
				const int w10 = ((weight * fx) >> 8) - w11;
				const int w01 = ((weight * fy) >> 8) - w11;
				const int w00 = weight - w11 - w10 - w01;
				const int nx[4] = {ix, ix + 1, ix, ix + 1};
				const int ny[4] = {iy, iy, iy + 1, iy + 1};
				const int nw[4] = {w00, w10, w01, w11};
				AlphaRGB &d = row[bx];
				int sum_b = 0, sum_g = 0, sum_r = 0;
				bool any = false;
				for (int k = 0; k < 4; ++k)
				{
					if (nw[k] == 0 || !clip.contains(Coord2D(nx[k], ny[k])))
						continue;
					const SrcPix sp = fetch(nx[k], ny[k]);
					const int aw = sp.alpha * nw[k];
					sum_b += (sp.col.b - d.b) * aw;
					sum_g += (sp.col.g - d.g) * aw;
					sum_r += (sp.col.r - d.r) * aw;
					any = true;
				}
				if (!any)
					continue;
				d.b = static_cast<std::uint8_t>(std::clamp(d.b + (sum_b >> 16), 0, 255));
				d.g = static_cast<std::uint8_t>(std::clamp(d.g + (sum_g >> 16), 0, 255));
				d.r = static_cast<std::uint8_t>(std::clamp(d.r + (sum_r >> 16), 0, 255));
			}
		}
	}
};

} // namespace skane
