#include "tools/preview/PngWriter.h"

#include <cairo.h>

#include <cstdint>
#include <cstring>

namespace preview
{

bool PngWriter::write(skane::MemoryRenderingBuffer &buf, const std::string &path, int zoom)
{
	if (zoom < 1)
		zoom = 1;
	const skane::Coord2D size = buf.get_size();
	cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.x * zoom, size.y * zoom);
	if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy(s);
		return false;
	}
	cairo_surface_flush(s);
	unsigned char *data = cairo_image_surface_get_data(s);
	const int stride = cairo_image_surface_get_stride(s);
	const skane::AlphaRGB *src = buf.get_data_ptr();
	for (int y = 0; y < size.y * zoom; ++y)
	{
		for (int x = 0; x < size.x * zoom; ++x)
		{
			const skane::AlphaRGB &p = src[static_cast<long>(y / zoom) * size.x + x / zoom];
			const std::uint32_t pix = 0xFF000000u | (std::uint32_t(p.r) << 16) | (std::uint32_t(p.g) << 8) | p.b;
			std::memcpy(data + static_cast<long>(y) * stride + 4L * x, &pix, 4);
		}
	}
	cairo_surface_mark_dirty(s);
	const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy(s);
	return ok;
}

} // namespace preview
