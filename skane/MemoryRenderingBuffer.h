// Rendering buffer held in memory. Its blit copies into an optional screen
// image (another pixel array) and is logged, so tests and the preview tool
// can see what a window presents without any window system.
#pragma once

#include "skane/RenderingBufferInterface.h"

#include <cstddef>
#include <vector>

namespace skane
{

class MemoryRenderingBuffer : public RenderingBufferInterface
{
public:
	struct BlitCall
	{
		Coord2D dest;
		Coord2D size;
	};

	explicit MemoryRenderingBuffer(const Coord2D &size);

	AlphaRGB *get_data_ptr() override;
	int blit(const Coord2D &dest, const Coord2D &size) override;
	void fill_buffer(AlphaRGB colour, int nbr_pix) override;

	// Screen image that blit copies into (not owned; null: blits are only
	// logged). Parts outside the screen are cut off.
	void set_screen(AlphaRGB *pixels, const Coord2D &screen_size);
	const std::vector<BlitCall> &get_blit_log() const { return _blit_log; }
	void clear_blit_log() { _blit_log.clear(); }

	AlphaRGB &at(int x, int y) { return _pixels[static_cast<std::size_t>(y) * get_size().x + x]; }

private:
	std::vector<AlphaRGB> _pixels;
	std::vector<BlitCall> _blit_log;
	AlphaRGB *_screen = nullptr;
	Coord2D _screen_size;
};

} // namespace skane
