// The off-screen 32-bit buffer the toolkit draws into: row-major AlphaRGB
// pixels, rows without gaps. A back end presents parts of it on screen.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/Coord2D.h"

namespace skane
{

class RenderingBufferInterface
{
public:
	explicit RenderingBufferInterface(const Coord2D &size = Coord2D()) : _size(size) {}
	virtual ~RenderingBufferInterface() = default;

	const Coord2D &get_size() const { return _size; }

	// First pixel of the buffer (size.x * size.y pixels); null when empty.
	virtual AlphaRGB *get_data_ptr() = 0;
	// Copies the top-left area of the given size to the screen at dest.
	virtual int blit(const Coord2D &dest, const Coord2D &size) = 0;
	// Fills the first nbr_pix pixels with colour, the whole buffer when
	// nbr_pix is negative.
	virtual void fill_buffer(AlphaRGB colour, int nbr_pix) = 0;

protected:
	void set_size(const Coord2D &size) { _size = size; }

private:
	Coord2D _size;
};

} // namespace skane
