// Opaque picture of direct AlphaRGB pixels.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/PicDataInterface.h"

namespace skane
{

class PicData24 : public PicDataInterface
{
public:
	// pixels: size.x * size.y pixels, used in place.
	PicData24(const Coord2D &size, const AlphaRGB *pixels);

	void blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const override;

private:
	const AlphaRGB *_pixels;
};

} // namespace skane
