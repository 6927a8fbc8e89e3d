#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace artgen
{

namespace
{

std::uint8_t to_byte(double v)
{
	return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

} // namespace

Canvas::Canvas(int w, int h)
:	_w(w)
,	_h(h)
,	_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h))
,	_cr(cairo_create(_surface))
{
}

Canvas::~Canvas()
{
	cairo_destroy(_cr);
	cairo_surface_destroy(_surface);
}

void Canvas::put(int x, int y, double r, double g, double b, double a)
{
	if (x < 0 || y < 0 || x >= _w || y >= _h)
		return;
	cairo_surface_flush(_surface);
	unsigned char *data = cairo_image_surface_get_data(_surface);
	const int stride = cairo_image_surface_get_stride(_surface);
	a = std::clamp(a, 0.0, 1.0);
	const std::uint32_t pix = (std::uint32_t(to_byte(a)) << 24) | (std::uint32_t(to_byte(std::clamp(r, 0.0, 1.0) * a)) << 16)
		| (std::uint32_t(to_byte(std::clamp(g, 0.0, 1.0) * a)) << 8) | std::uint32_t(to_byte(std::clamp(b, 0.0, 1.0) * a));
	std::memcpy(data + static_cast<long>(y) * stride + 4L * x, &pix, 4);
}

std::vector<std::uint8_t> Canvas::to_bgra_straight() const
{
	cairo_surface_flush(_surface);
	const unsigned char *data = cairo_image_surface_get_data(_surface);
	const int stride = cairo_image_surface_get_stride(_surface);
	std::vector<std::uint8_t> out;
	out.reserve(static_cast<std::size_t>(_w) * _h * 4);
	for (int y = 0; y < _h; ++y)
	{
		for (int x = 0; x < _w; ++x)
		{
			std::uint32_t pix;
			std::memcpy(&pix, data + static_cast<long>(y) * stride + 4L * x, 4);
			const unsigned a = pix >> 24;
			unsigned c[3] = {pix & 0xFF, (pix >> 8) & 0xFF, (pix >> 16) & 0xFF};   // b, g, r
			for (unsigned &v : c)
				v = (a == 0) ? 0 : std::min(255u, (v * 255 + a / 2) / a);
			out.push_back(static_cast<std::uint8_t>(c[0]));
			out.push_back(static_cast<std::uint8_t>(c[1]));
			out.push_back(static_cast<std::uint8_t>(c[2]));
			out.push_back(static_cast<std::uint8_t>(a));
		}
	}
	return out;
}

std::vector<std::uint8_t> Canvas::to_alpha() const
{
	cairo_surface_flush(_surface);
	const unsigned char *data = cairo_image_surface_get_data(_surface);
	const int stride = cairo_image_surface_get_stride(_surface);
	std::vector<std::uint8_t> out;
	out.reserve(static_cast<std::size_t>(_w) * _h);
	for (int y = 0; y < _h; ++y)
	{
		for (int x = 0; x < _w; ++x)
		{
			std::uint32_t pix;
			std::memcpy(&pix, data + static_cast<long>(y) * stride + 4L * x, 4);
			out.push_back(static_cast<std::uint8_t>(pix >> 24));
		}
	}
	return out;
}

bool Canvas::write_png(const std::string &path) const
{
	return cairo_surface_write_to_png(_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace artgen
