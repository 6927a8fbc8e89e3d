// Decoded picture data of one "APIC" resource. The pixels are used in place
// (never copied), so the resource must outlive the data.
//
// Coordinates: blit's dest is the picture area, in picture pixels, whose
// top-left maps to the buffer's top-left pixel. The sub-pixel and rotation
// blits take (x, y), the window position where picture pixel (0, 0) lands,
// and pos, the window position of the buffer's top-left pixel. A positive
// angle (radians) turns the picture counter-clockwise on screen about (x, y).
// Opaque kinds are never rotated or blended: the base class draws nothing for
// rotations and places sub-pixel blits at (floor(x), floor(y)).
#pragma once

#include "skane/Coord2D.h"
#include "skane/Rect.h"
#include "skane/RenderingBufferInterface.h"

namespace skane
{

class PicDataInterface
{
public:
	explicit PicDataInterface(const Coord2D &size) : _size(size) {}
	virtual ~PicDataInterface() = default;
	PicDataInterface(const PicDataInterface &) = delete;
	PicDataInterface &operator=(const PicDataInterface &) = delete;

	const Coord2D &get_size() const { return _size; }

	virtual void blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const = 0;
	virtual void blit_rotate(float x, float y, const Coord2D &pos, float angle,
		RenderingBufferInterface &buf, const Rect &src_clip) const;
	virtual void blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle,
		RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const;
	virtual void do_blit_subpix(float x, float y, const Coord2D &pos,
		RenderingBufferInterface &buf, const Rect &src_clip) const;
	virtual void do_blit_subpix_alpha(float x, float y, const Coord2D &pos,
		RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const;
	// Integer-position blit with a global opacity; opaque kinds ignore it.
	virtual void blit_alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip,
		float alpha) const;

	// Clips the clipper to the picture, then do_blit_subpix.
	void blit_subpix(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
		const Rect &src_clip) const;

	// Whether the data's kind carries alpha (and so rotates and blends).
	virtual bool has_alpha() const { return false; }

private:
	Coord2D _size;
};

} // namespace skane
