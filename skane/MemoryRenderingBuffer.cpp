#include "skane/MemoryRenderingBuffer.h"

#include <algorithm>

namespace skane
{

MemoryRenderingBuffer::MemoryRenderingBuffer(const Coord2D &size)
:	RenderingBufferInterface(Coord2D(std::max(size.x, 0), std::max(size.y, 0)))
,	_pixels(static_cast<size_t>(std::max(size.x, 0)) * std::max(size.y, 0), AlphaRGB{0, 0, 0, 0})
{
}

AlphaRGB *MemoryRenderingBuffer::get_data_ptr()
{
	return _pixels.empty() ? nullptr : _pixels.data();
}

int MemoryRenderingBuffer::blit(const Coord2D &dest, const Coord2D &size)
{
	_blit_log.push_back(BlitCall{dest, size});
	if (_screen == nullptr)
		return 0;
	const Coord2D bs = get_size();
	const int w = std::min(size.x, bs.x);
	const int h = std::min(size.y, bs.y);
	for (int y = 0; y < h; ++y)
	{
		const long long sy = static_cast<long long>(dest.y) + y;
		if (sy < 0 || sy >= _screen_size.y)
			continue;
		for (int x = 0; x < w; ++x)
		{
			const long long sx = static_cast<long long>(dest.x) + x;
			if (sx < 0 || sx >= _screen_size.x)
				continue;
			_screen[sy * _screen_size.x + sx] = _pixels[static_cast<size_t>(y) * bs.x + x];
		}
	}
	return 0;
}

void MemoryRenderingBuffer::fill_buffer(AlphaRGB colour, int nbr_pix)
{
	size_t n = _pixels.size();
	if (nbr_pix >= 0)
		n = std::min(n, static_cast<size_t>(nbr_pix));
	std::fill(_pixels.begin(), _pixels.begin() + static_cast<long>(n), colour);
}

void MemoryRenderingBuffer::set_screen(AlphaRGB *pixels, const Coord2D &screen_size)
{
	_screen = pixels;
	_screen_size = pixels == nullptr ? Coord2D() : screen_size;
}

} // namespace skane
