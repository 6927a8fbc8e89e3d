// Opaque picture of palette indices (one byte per pixel).
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/PicDataInterface.h"

#include <cstdint>

namespace skane
{

class PicData8 : public PicDataInterface
{
public:
	// pixels: size.x * size.y indices, each below nbr_colors; palette:
	// nbr_colors entries. Both are used in place.
	PicData8(const Coord2D &size, const std::uint8_t *pixels, const AlphaRGB *palette, int nbr_colors);

	void blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const override;

private:
	const std::uint8_t *_pixels;
	const AlphaRGB *_palette;
	int _nbr_colors;
};

} // namespace skane
