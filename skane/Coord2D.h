// A point or a size in pixels: origin at the top left, y grows downwards.
#pragma once

namespace skane
{

class Coord2D
{
public:
	constexpr Coord2D() = default;
	constexpr Coord2D(int x_, int y_) : x(x_), y(y_) {}

	constexpr Coord2D operator+(const Coord2D &o) const { return Coord2D(x + o.x, y + o.y); }
	constexpr Coord2D operator-(const Coord2D &o) const { return Coord2D(x - o.x, y - o.y); }
	constexpr Coord2D operator-() const { return Coord2D(-x, -y); }
	Coord2D &operator+=(const Coord2D &o) { x += o.x; y += o.y; return *this; }
	Coord2D &operator-=(const Coord2D &o) { x -= o.x; y -= o.y; return *this; }
	constexpr bool operator==(const Coord2D &o) const = default;

	int x = 0;
	int y = 0;
};

} // namespace skane
