// Font of coverage bytes, drawn in the text frame's colour:
// d <- d + floor((colour - d) * coverage / 256) for every glyph pixel.
#pragma once

#include "skane/FontInterface.h"

#include <cstdint>

namespace skane
{

class UnicolorFont : public FontInterface
{
public:
	// coverage: size.x * size.y bytes used in place; size.y >= 1.
	UnicolorFont(const Coord2D &size, const std::uint8_t *coverage);

protected:
	void blit_char(int sx0, int sx1, int sy0, int sy1, AlphaRGB *dst, int stride, long color) const override;

private:
	const std::uint8_t *_coverage;
};

} // namespace skane
