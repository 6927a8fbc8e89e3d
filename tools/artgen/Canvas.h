// A picture being drawn: a cairo ARGB32 image surface with its context.
// Cairo keeps colours premultiplied by alpha; the pictures are stored with
// straight alpha, so to_bgra_straight() divides the alpha back out.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace artgen
{

class Canvas
{
public:
	// Transparent, w x h pixels; the context has the artwork's fixed text
	// options set when a typeface is used (see Typeface).
	Canvas(int w, int h);
	~Canvas();
	Canvas(const Canvas &) = delete;
	Canvas &operator=(const Canvas &) = delete;

	cairo_t *cr() const { return _cr; }
	cairo_surface_t *surface() const { return _surface; }
	int width() const { return _w; }
	int height() const { return _h; }

	// Sets one pixel from straight colour and alpha in [0, 1], replacing
	// what was there (used by the per-pixel shaders).
	void put(int x, int y, double r, double g, double b, double a);
	// Ends direct pixel writes so cairo draws on top of them.
	void mark_dirty() { cairo_surface_mark_dirty(_surface); }

	// Blue, green, red, alpha bytes per pixel, straight alpha, top row first.
	std::vector<std::uint8_t> to_bgra_straight() const;
	// Alpha (coverage) bytes only.
	std::vector<std::uint8_t> to_alpha() const;

	bool write_png(const std::string &path) const;

private:
	int _w;
	int _h;
	cairo_surface_t *_surface;
	cairo_t *_cr;
};

} // namespace artgen
