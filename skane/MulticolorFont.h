// Font of (palette index, alpha) pixels drawn in their own colours. Alpha 0
// is fully drawn and 255 leaves the buffer: each pixel blends its palette
// colour with a = 255 - alpha, d <- d + floor((s - d) * a / 256).
#pragma once

#include "skane/AlphaP.h"
#include "skane/FontInterface.h"

namespace skane
{

class MulticolorFont : public FontInterface
{
public:
	// pixels: size.x * size.y, indices below nbr_colors; used in place.
	MulticolorFont(const Coord2D &size, const AlphaP *pixels, const AlphaRGB *palette, int nbr_colors);

protected:
	void blit_char(int sx0, int sx1, int sy0, int sy1, AlphaRGB *dst, int stride, long color) const override;

private:
	const AlphaP *_pixels;
	const AlphaRGB *_palette;
	int _nbr_colors;
};

} // namespace skane
