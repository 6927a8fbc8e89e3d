#include "tools/artgen/Shapes.h"

#include <cmath>

namespace artgen
{

namespace
{

constexpr double PI = 3.14159265358979323846;

// A gradient across a rectangle from its top-left to its bottom-right.
cairo_pattern_t *diagonal(double x, double y, double w, double h)
{
	return cairo_pattern_create_linear(x, y, x + w * 0.6, y + h);
}

} // namespace

void Shapes::rounded_rect(cairo_t *cr, double x, double y, double w, double h, double r)
{
	r = std::fmin(r, std::fmin(w, h) / 2.0);
	cairo_new_sub_path(cr);
	cairo_arc(cr, x + w - r, y + r, r, -PI / 2.0, 0.0);
	cairo_arc(cr, x + w - r, y + h - r, r, 0.0, PI / 2.0);
	cairo_arc(cr, x + r, y + h - r, r, PI / 2.0, PI);
	cairo_arc(cr, x + r, y + r, r, PI, 1.5 * PI);
	cairo_close_path(cr);
}

void Shapes::key(cairo_t *cr, double x, double y, double w, double h, double r, const Rgb &base, bool pressed)
{
	// Shadow cast down and to the right; a pressed key sits lower.
	const double drop = pressed ? 0.4 : 1.0;
	rounded_rect(cr, x + drop * 0.5, y + drop, w, h, r);
	set_source(cr, pal::BLACK, pressed ? 0.35 : 0.55);
	cairo_fill(cr);

	cairo_pattern_t *body = cairo_pattern_create_linear(x, y, x, y + h);
	if (pressed)
	{
		add_stop(body, 0.0, base.scaled(0.78));
		add_stop(body, 1.0, base.scaled(0.95));
	}
	else
	{
		add_stop(body, 0.0, base.scaled(1.22));
		add_stop(body, 1.0, base.scaled(0.86));
	}
	rounded_rect(cr, x, y, w, h, r);
	cairo_set_source(cr, body);
	cairo_fill(cr);
	cairo_pattern_destroy(body);

	cairo_pattern_t *edge = diagonal(x, y, w, h);
	if (pressed)
	{
		add_stop(edge, 0.0, pal::BLACK, 0.45);
		add_stop(edge, 1.0, pal::WHITE, 0.08);
	}
	else
	{
		add_stop(edge, 0.0, pal::WHITE, 0.34);
		add_stop(edge, 0.55, pal::WHITE, 0.06);
		add_stop(edge, 1.0, pal::BLACK, 0.35);
	}
	rounded_rect(cr, x + 0.5, y + 0.5, w - 1.0, h - 1.0, std::fmax(r - 0.5, 0.0));
	cairo_set_source(cr, edge);
	cairo_set_line_width(cr, 1.0);
	cairo_stroke(cr);
	cairo_pattern_destroy(edge);
}

void Shapes::well(cairo_t *cr, double x, double y, double w, double h, double r, const Rgb &inside)
{
	// Lit lower-right lip, outside the recess.
	rounded_rect(cr, x - 0.5, y - 0.5, w + 1.0, h + 1.0, r + 0.5);
	cairo_pattern_t *lip = diagonal(x, y, w, h);
	add_stop(lip, 0.0, pal::BLACK, 0.45);
	add_stop(lip, 0.6, pal::BLACK, 0.1);
	add_stop(lip, 1.0, pal::WHITE, 0.16);
	cairo_set_source(cr, lip);
	cairo_set_line_width(cr, 1.0);
	cairo_stroke(cr);
	cairo_pattern_destroy(lip);

	rounded_rect(cr, x, y, w, h, r);
	set_source(cr, inside);
	cairo_fill(cr);

	// Shadow of the upper edge falling inside.
	cairo_save(cr);
	rounded_rect(cr, x, y, w, h, r);
	cairo_clip(cr);
	cairo_pattern_t *sh = cairo_pattern_create_linear(x, y, x, y + std::fmin(h, 4.0));
	add_stop(sh, 0.0, pal::BLACK, 0.5);
	add_stop(sh, 1.0, pal::BLACK, 0.0);
	cairo_set_source(cr, sh);
	cairo_paint(cr);
	cairo_pattern_destroy(sh);
	cairo_restore(cr);
}

void Shapes::display_field(cairo_t *cr, double x, double y, double w, double h)
{
	// Outer lip: dark above and left, light below and right.
	rounded_rect(cr, x - 1.0, y - 1.0, w + 2.0, h + 2.0, 3.0);
	cairo_pattern_t *lip = cairo_pattern_create_linear(x, y - 1.0, x, y + h + 1.0);
	add_stop(lip, 0.0, pal::BLACK, 0.55);
	add_stop(lip, 1.0, pal::WHITE, 0.2);
	cairo_set_source(cr, lip);
	cairo_fill(cr);
	cairo_pattern_destroy(lip);

	rounded_rect(cr, x, y, w, h, 2.0);
	cairo_pattern_t *face = cairo_pattern_create_linear(x, y, x, y + h);
	add_stop(face, 0.0, pal::LCD_TOP);
	add_stop(face, 1.0, pal::LCD_BOTTOM);
	cairo_set_source(cr, face);
	cairo_fill(cr);
	cairo_pattern_destroy(face);

	// Inner shadow under the top edge.
	cairo_save(cr);
	rounded_rect(cr, x, y, w, h, 2.0);
	cairo_clip(cr);
	cairo_pattern_t *sh = cairo_pattern_create_linear(x, y, x, y + 3.0);
	add_stop(sh, 0.0, pal::BLACK, 0.28);
	add_stop(sh, 1.0, pal::BLACK, 0.0);
	cairo_set_source(cr, sh);
	cairo_paint(cr);
	cairo_pattern_destroy(sh);
	cairo_restore(cr);
}

void Shapes::dome(cairo_t *cr, double cx, double cy, double r, const Rgb &base, bool shadow)
{
	if (shadow)
	{
		cairo_arc(cr, cx + 0.5, cy + 1.0, r, 0.0, 2.0 * PI);
		set_source(cr, pal::BLACK, 0.55);
		cairo_fill(cr);
	}
	cairo_pattern_t *p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.45, r * 0.1, cx, cy, r);
	add_stop(p, 0.0, base.scaled(1.55));
	add_stop(p, 0.55, base.scaled(1.1));
	add_stop(p, 1.0, base.scaled(0.72));
	cairo_arc(cr, cx, cy, r, 0.0, 2.0 * PI);
	cairo_set_source(cr, p);
	cairo_fill(cr);
	cairo_pattern_destroy(p);
	cairo_arc(cr, cx, cy, r - 0.5, 0.0, 2.0 * PI);
	set_source(cr, pal::BLACK, 0.35);
	cairo_set_line_width(cr, 1.0);
	cairo_stroke(cr);
}

} // namespace artgen
