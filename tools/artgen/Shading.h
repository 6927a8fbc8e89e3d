// Per-pixel shading of a relief under the artwork's one light: a surface
// function gives, at any point of the picture, whether the point is on the
// object, its height and its colour; normals come from the height field,
// so bevels, ridges and flutes catch the light from the upper left whatever
// way they face. Supersampled for smooth, crisp outlines.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Palette.h"

#include <cmath>

namespace artgen
{

struct SurfacePoint
{
	bool inside = false;
	double height = 0.0;   // pixels
	Rgb albedo{0, 0, 0};
	double gloss = 0.0;    // strength of the specular highlight
};

class Shading
{
public:
	// Colour of a surface point with the given slope (dh/dx, dh/dy).
	static Rgb light(const SurfacePoint &p, double hx, double hy)
	{
		double nx = -hx, ny = -hy, nz = 1.0;
		const double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
		nx /= nl; ny /= nl; nz /= nl;
		const double ll = std::sqrt(Light::X * Light::X + Light::Y * Light::Y + Light::Z * Light::Z);
		const double lx = Light::X / ll, ly = Light::Y / ll, lz = Light::Z / ll;
		const double ndl = std::max(0.0, nx * lx + ny * ly + nz * lz);
		// Half vector with the viewer straight above.
		double hxv = lx, hyv = ly, hzv = lz + 1.0;
		const double hl = std::sqrt(hxv * hxv + hyv * hyv + hzv * hzv);
		hxv /= hl; hyv /= hl; hzv /= hl;
		const double ndh = std::max(0.0, nx * hxv + ny * hyv + nz * hzv);
		// A flat surface shows its own colour.
		const double k = AMBIENT + (1.0 - AMBIENT) * ndl / lz;
		const double s = p.gloss * std::pow(ndh, SHININESS);
		return Rgb{p.albedo.r * k + s, p.albedo.g * k + s, p.albedo.b * k + s};
	}

	// Shades every pixel of the canvas from fn(x, y) (picture coordinates,
	// pixel centres at half units), replacing its content.
	template <class Fn>
	static void render(Canvas &c, const Fn &fn, int ss = 6, double eps = 0.2)
	{
		for (int py = 0; py < c.height(); ++py)
		{
			for (int px = 0; px < c.width(); ++px)
			{
				double r = 0.0, g = 0.0, b = 0.0;
				int n = 0;
				for (int j = 0; j < ss; ++j)
				{
					for (int i = 0; i < ss; ++i)
					{
						const double x = px + (i + 0.5) / ss;
						const double y = py + (j + 0.5) / ss;
						const SurfacePoint p = fn(x, y);
						if (!p.inside)
							continue;
						const double hx = (fn(x + eps, y).height - fn(x - eps, y).height) / (2.0 * eps);
						const double hy = (fn(x, y + eps).height - fn(x, y - eps).height) / (2.0 * eps);
						const Rgb col = light(p, hx, hy);
						r += col.r;
						g += col.g;
						b += col.b;
						++n;
					}
				}
				if (n == 0)
					c.put(px, py, 0.0, 0.0, 0.0, 0.0);
				else
					c.put(px, py, r / n, g / n, b / n, static_cast<double>(n) / (ss * ss));
			}
		}
		c.mark_dirty();
	}

private:
	static constexpr double AMBIENT = 0.42;
	static constexpr double SHININESS = 28.0;
};

} // namespace artgen
