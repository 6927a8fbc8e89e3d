// Picture data placed in a control's coordinate space: shared data, a hot
// point (the pixel that lands on the position the picture is drawn at) and a
// source clipper (the part of the data that may be drawn). Copied by value;
// the data is shared.
#pragma once

#include "basic/SharedPtr.h"
#include "skane/BoundingBoxDefaultChecker.h"
#include "skane/PicDataInterface.h"

namespace skane
{

class Picture : public BoundingBoxDefaultChecker
{
public:
	Picture() = default;
	explicit Picture(const basic::SharedPtr<PicDataInterface> &data, const Coord2D &hot = Coord2D());

	// Sets the data; the clipper becomes the whole picture.
	void set_data(const basic::SharedPtr<PicDataInterface> &data);
	const basic::SharedPtr<PicDataInterface> &get_data() const { return _data; }
	bool is_set() const { return _data != nullptr; }
	Coord2D get_pic_size() const;

	// Box := (-h.x, -h.y, width - h.x, height - h.y).
	void set_hot(const Coord2D &hot);
	const Coord2D &get_hot() const { return _hot; }

	// Clamped to the picture; an inverted result leaves an empty clipper.
	void set_src_clipper(const Rect &clip);
	const Rect &get_src_clipper() const { return _clip; }

	// Inside the box and, relative to the box's top-left, inside the clipper.
	bool check_point(const Coord2D &p) const override;

	// dest: the buffer's area in the picture's own frame (hot point at 0, 0).
	void blit(const Rect &dest, RenderingBufferInterface &buf) const;
	void blit_alpha(const Rect &dest, RenderingBufferInterface &buf, float alpha) const;
	// (x, y): window position of the hot point; pos: window position of the
	// buffer's top-left pixel.
	void blit_subpix(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf) const;
	void blit_subpix_alpha(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
		float alpha) const;
	// Turned about the hot point, counter-clockwise on screen for a positive
	// angle (radians); |angle| <= 1e-9 is the sub-pixel blit.
	void blit_rotate(float x, float y, const Coord2D &pos, float angle, RenderingBufferInterface &buf) const;
	void blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle, RenderingBufferInterface &buf,
		float alpha) const;

private:
	void update_box();
	void rotated_origin(float x, float y, float angle, float &ox, float &oy) const;

	basic::SharedPtr<PicDataInterface> _data;
	Coord2D _hot;
	Rect _clip;
};

} // namespace skane
