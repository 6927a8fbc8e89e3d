// Shapes shared by the pictures: rounded rectangles, raised keys, recessed
// wells and display fields, all lit from the upper left.
#pragma once

#include "tools/artgen/Palette.h"

#include <cairo.h>

namespace artgen
{

class Shapes
{
public:
	static void rounded_rect(cairo_t *cr, double x, double y, double w, double h, double r);

	// A raised key (or, pressed, pushed in): shadow, body, bevel.
	static void key(cairo_t *cr, double x, double y, double w, double h, double r, const Rgb &base, bool pressed);
	// A recess in the panel: dark inside, shadowed at its top left edge,
	// lit at its bottom right edge.
	static void well(cairo_t *cr, double x, double y, double w, double h, double r, const Rgb &inside);
	// A light display field with its inset edge.
	static void display_field(cairo_t *cr, double x, double y, double w, double h);
	// A disc with a spherical shine (switch thumbs, buttons).
	static void dome(cairo_t *cr, double cx, double cy, double r, const Rgb &base, bool shadow);
};

} // namespace artgen
