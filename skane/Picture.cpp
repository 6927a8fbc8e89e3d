#include "skane/Picture.h"

#include <algorithm>
#include <cmath>

namespace skane
{

Picture::Picture(const basic::SharedPtr<PicDataInterface> &data, const Coord2D &hot)
:	_hot(hot)
{
	set_data(data);
}

void Picture::set_data(const basic::SharedPtr<PicDataInterface> &data)
{
	_data = data;
	const Coord2D sz = get_pic_size();
	_clip = Rect(0, 0, sz.x, sz.y);
	update_box();
}

Coord2D Picture::get_pic_size() const
{
	return _data ? _data->get_size() : Coord2D();
}

void Picture::set_hot(const Coord2D &hot)
{
	_hot = hot;
	update_box();
}

void Picture::update_box()
{
	const Coord2D sz = get_pic_size();
	set_box(Rect(-_hot.x, -_hot.y, sz.x - _hot.x, sz.y - _hot.y));
}

void Picture::set_src_clipper(const Rect &clip)
{
	const Coord2D sz = get_pic_size();
	Rect r(std::max(clip.x0, 0), std::max(clip.y0, 0), std::min(clip.x1, sz.x), std::min(clip.y1, sz.y));
	if (r.x1 < r.x0 || r.y1 < r.y0)
		r = Rect();
	_clip = r;
}

bool Picture::check_point(const Coord2D &p) const
{
	if (!_data || !BoundingBoxDefaultChecker::check_point(p))
		return false;
	const Rect &box = get_box();
	return _clip.contains(Coord2D(p.x - box.x0, p.y - box.y0));
}

void Picture::blit(const Rect &dest, RenderingBufferInterface &buf) const
{
	if (_data)
		_data->blit(dest + _hot, buf, _clip);
}

void Picture::blit_alpha(const Rect &dest, RenderingBufferInterface &buf, float alpha) const
{
	if (_data)
		_data->blit_alpha(dest + _hot, buf, _clip, alpha);
}

void Picture::blit_subpix(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf) const
{
	if (_data)
		_data->blit_subpix(x - _hot.x, y - _hot.y, pos, buf, _clip);
}

void Picture::blit_subpix_alpha(float x, float y, const Coord2D &pos, RenderingBufferInterface &buf,
	float alpha) const
{
	if (_data && !_clip.is_empty())
		_data->do_blit_subpix_alpha(x - _hot.x, y - _hot.y, pos, buf, _clip, alpha);
}

void Picture::rotated_origin(float x, float y, float angle, float &ox, float &oy) const
{
	// Pixel p lands on (x, y) + R (p - hot), so pixel 0 lands on (x, y) - R hot.
	const double c = std::cos(static_cast<double>(angle));
	const double s = std::sin(static_cast<double>(angle));
	ox = static_cast<float>(x - (_hot.x * c + _hot.y * s));
	oy = static_cast<float>(y - (-_hot.x * s + _hot.y * c));
}

void Picture::blit_rotate(float x, float y, const Coord2D &pos, float angle, RenderingBufferInterface &buf) const
{
	if (!_data)
		return;
	if (std::fabs(angle) <= 1e-9f)
	{
		blit_subpix(x, y, pos, buf);
		return;
	}
	float ox, oy;
	rotated_origin(x, y, angle, ox, oy);
	_data->blit_rotate(ox, oy, pos, angle, buf, _clip);
}

void Picture::blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle, RenderingBufferInterface &buf,
	float alpha) const
{
	if (!_data)
		return;
	if (std::fabs(angle) <= 1e-9f)
	{
		blit_subpix_alpha(x, y, pos, buf, alpha);
		return;
	}
	float ox, oy;
	rotated_origin(x, y, angle, ox, oy);
	_data->blit_rotate_alpha(ox, oy, pos, angle, buf, _clip, alpha);
}

} // namespace skane
