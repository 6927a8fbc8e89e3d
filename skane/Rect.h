// Rectangle in pixels; x1 and y1 are exclusive. x1 == x0 and y1 == y0 is a
// point (used as the destination of mouse messages).
#pragma once

#include "skane/Coord2D.h"

#include <algorithm>

namespace skane
{

class Rect
{
public:
	constexpr Rect() = default;
	constexpr Rect(int x0_, int y0_, int x1_, int y1_) : x0(x0_), y0(y0_), x1(x1_), y1(y1_) {}
	constexpr Rect(const Coord2D &tl, const Coord2D &br) : x0(tl.x), y0(tl.y), x1(br.x), y1(br.y) {}

	// The one-pixel point rectangle used to address a position.
	static constexpr Rect point(const Coord2D &p) { return Rect(p.x, p.y, p.x, p.y); }

	constexpr int width() const { return x1 - x0; }
	constexpr int height() const { return y1 - y0; }
	constexpr Coord2D get_tl() const { return Coord2D(x0, y0); }
	constexpr Coord2D get_br() const { return Coord2D(x1, y1); }
	constexpr Coord2D get_size() const { return Coord2D(x1 - x0, y1 - y0); }
	constexpr bool is_empty() const { return x1 <= x0 || y1 <= y0; }
	constexpr bool is_point() const { return x1 == x0 && y1 == y0; }
	constexpr bool contains(const Coord2D &p) const
	{
		return x0 <= p.x && p.x < x1 && y0 <= p.y && p.y < y1;
	}

	constexpr Rect operator+(const Coord2D &d) const { return Rect(x0 + d.x, y0 + d.y, x1 + d.x, y1 + d.y); }
	constexpr Rect operator-(const Coord2D &d) const { return Rect(x0 - d.x, y0 - d.y, x1 - d.x, y1 - d.y); }
	constexpr bool operator==(const Rect &o) const = default;

	// Intersection; the result may be empty (inverted).
	constexpr Rect intersect(const Rect &o) const
	{
		return Rect(std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1));
	}

	int x0 = 0;
	int y0 = 0;
	int x1 = 0;
	int y1 = 0;
};

} // namespace skane
