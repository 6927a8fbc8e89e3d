#include "tools/artgen/KnobArt.h"

#include "effect/EditorLayout.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Shading.h"

#include <algorithm>
#include <cmath>

namespace artgen
{

namespace
{

constexpr double PI = 3.14159265358979323846;

double smoothstep(double e0, double e1, double x)
{
	const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
	return t * t * (3.0 - 2.0 * t);
}

// Polar coordinates around the hot pixel's centre; phi counter-clockwise
// from +x with y up, as the knob's angles are.
struct Polar
{
	double r;
	double phi;
};

Polar polar(double x, double y, int hot_x, int hot_y)
{
	const double dx = x - (hot_x + 0.5);
	const double dy = y - (hot_y + 0.5);
	return Polar{std::sqrt(dx * dx + dy * dy), std::atan2(-dy, dx)};
}

// Fine concentric brushing of the caps (the same at every turn).
double brushing(double r)
{
	return 1.0 + 0.018 * std::sin(r * 2.3);
}

// Rounds the outline off over the last pixel so the rim catches the light.
double rim_drop(double edge, double r, double width, double depth)
{
	const double d = edge - r;
	if (d >= width)
		return 0.0;
	const double t = 1.0 - d / width;
	return depth * t * t;
}

// Angle in radians of a value on every knob.
double value_angle(double v)
{
	return (EditorLayout::KNOB_ANGLE_BASE + EditorLayout::KNOB_ANGLE_SPAN * v) * 2.0 * PI;
}

void tick(cairo_t *cr, double cx, double cy, double angle, double r0, double r1)
{
	const double c = std::cos(angle), s = -std::sin(angle);
	cairo_move_to(cr, cx + r0 * c, cy + r0 * s);
	cairo_line_to(cr, cx + r1 * c, cy + r1 * s);
	cairo_stroke(cr);
}

void dot(cairo_t *cr, double cx, double cy, double angle, double r, double size)
{
	cairo_arc(cr, cx + r * std::cos(angle), cy - r * std::sin(angle), size, 0.0, 2.0 * PI);
	cairo_fill(cr);
}

void drop_shadow(cairo_t *cr, double cx, double cy, double r_full, double r_none, double alpha)
{
	cairo_pattern_t *p = cairo_pattern_create_radial(cx, cy, 0.0, cx, cy, r_none);
	add_stop(p, 0.0, pal::BLACK, alpha);
	add_stop(p, r_full / r_none, pal::BLACK, alpha);
	add_stop(p, (r_full + r_none) / (2.0 * r_none), pal::BLACK, alpha * 0.35);
	add_stop(p, 1.0, pal::BLACK, 0.0);
	cairo_set_source(cr, p);
	cairo_arc(cr, cx, cy, r_none, 0.0, 2.0 * PI);
	cairo_fill(cr);
	cairo_pattern_destroy(p);
}

} // namespace

void KnobArt::large_face(Canvas &c, int hot_x, int hot_y, double turns)
{
	constexpr double CAP = 28.5;
	constexpr double BEVEL = 30.0;
	constexpr double DOME = 0.0028;
	Shading::render(c, [=](double x, double y) {
		const Polar p = polar(x, y, hot_x, hot_y);
		const double psi = 32.0 * (p.phi - 2.0 * PI * turns);
		const double edge = 33.7 + 0.45 * std::cos(psi);
		SurfacePoint s;
		s.inside = p.r < edge;
		if (p.r < CAP)
		{
			s.height = 4.0 - DOME * p.r * p.r;
			s.albedo = pal::CAP.scaled(brushing(p.r));
			s.gloss = 0.10;
		}
		else if (p.r < BEVEL)
		{
			const double t = (p.r - CAP) / (BEVEL - CAP);
			s.height = 4.0 - DOME * CAP * CAP - 1.2 * t * t;
			s.albedo = pal::CAP;
			s.gloss = 0.16;
		}
		else
		{
			const double t = p.r - BEVEL;
			s.height = 4.0 - DOME * CAP * CAP - 1.2 - 0.5 * t + 0.34 * std::cos(psi) * std::min(1.0, t)
				- rim_drop(edge, p.r, 1.2, 1.4);
			s.albedo = pal::SKIRT;
			s.gloss = 0.22;
		}
		return s;
	});
}

void KnobArt::small_face(Canvas &c, int hot_x, int hot_y, double turns)
{
	constexpr double CAP = 12.5;
	constexpr double BEVEL = 13.7;
	constexpr double DOME = 0.005;
	Shading::render(c, [=](double x, double y) {
		const Polar p = polar(x, y, hot_x, hot_y);
		const double psi = 7.0 * (p.phi - 2.0 * PI * turns);
		const double notch = std::pow(0.5 - 0.5 * std::cos(psi), 2.2);
		const double edge = 18.8 - 2.2 * notch;
		SurfacePoint s;
		s.inside = p.r < edge;
		const double h_cap_edge = 3.0 - DOME * CAP * CAP;
		if (p.r < CAP)
		{
			s.height = 3.0 - DOME * p.r * p.r;
			s.albedo = pal::CAP.scaled(brushing(p.r * 1.4));
			s.gloss = 0.10;
		}
		else if (p.r < BEVEL)
		{
			const double t = (p.r - CAP) / (BEVEL - CAP);
			s.height = h_cap_edge - 1.0 * t * t;
			s.albedo = pal::CAP;
			s.gloss = 0.16;
		}
		else
		{
			const double t = p.r - BEVEL;
			s.height = h_cap_edge - 1.0 - 0.45 * t - 1.3 * notch * smoothstep(BEVEL, BEVEL + 2.5, p.r)
				- rim_drop(edge, p.r, 1.1, 1.2);
			s.albedo = pal::SKIRT;
			s.gloss = 0.22;
		}
		return s;
	});
}

void KnobArt::large_graduation(Canvas &c, int hot_x, int hot_y)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	drop_shadow(cr, cx + 1.3, cy + 2.2, 31.5, 38.5, 0.62);
	cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
	// Half octaves, then octaves, then the two ends.
	set_source(cr, pal::TICK, 0.7);
	for (int k = 0; k < 8; ++k)
		dot(cr, cx, cy, value_angle((k + 0.5) / 8.0), 39.6, 0.95);
	set_source(cr, pal::TICK);
	cairo_set_line_width(cr, 1.5);
	for (int k = 1; k < 8; ++k)
		tick(cr, cx, cy, value_angle(k / 8.0), 37.6, 41.2);
	set_source(cr, pal::LABEL);
	cairo_set_line_width(cr, 1.7);
	tick(cr, cx, cy, value_angle(0.0), 37.2, 41.6);
	tick(cr, cx, cy, value_angle(1.0), 37.2, 41.6);
}

void KnobArt::small_graduation(Canvas &c, int hot_x, int hot_y)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	drop_shadow(cr, cx + 0.9, cy + 1.6, 16.0, 21.5, 0.6);
	cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
	set_source(cr, pal::TICK, 0.9);
	for (int k = 1; k < 10; ++k)
	{
		if (k != 5)
			dot(cr, cx, cy, value_angle(k / 10.0), 21.8, 0.85);
	}
	set_source(cr, pal::LABEL);
	cairo_set_line_width(cr, 1.4);
	tick(cr, cx, cy, value_angle(0.0), 20.5, 22.9);
	tick(cr, cx, cy, value_angle(0.5), 20.5, 22.9);
	tick(cr, cx, cy, value_angle(1.0), 20.5, 22.9);
}

void KnobArt::spot(Canvas &c, int hot_x, int hot_y)
{
	cairo_t *cr = c.cr();
	const double x0 = hot_x + 0.1;
	const double x1 = c.width() - 0.1;
	const double yc = hot_y + 0.5;
	cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
	set_source(cr, pal::ACCENT);
	cairo_set_line_width(cr, 2.4);
	cairo_move_to(cr, x0, yc);
	cairo_line_to(cr, x1, yc);
	cairo_stroke(cr);
	set_source(cr, pal::ACCENT_HOT, 0.8);
	cairo_set_line_width(cr, 0.8);
	cairo_move_to(cr, x0 + 0.5, yc);
	cairo_line_to(cr, x1 - 0.5, yc);
	cairo_stroke(cr);
}

void KnobArt::arrow(Canvas &c, int hot_x, int hot_y, double size)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	const double d = size * 0.26;   // distance of each chevron from the centre
	const double w = size * 0.12;
	const double h = size * 0.09;
	cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
	cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
	for (int pass = 0; pass < 2; ++pass)
	{
		if (pass == 0)
		{
			set_source(cr, pal::BLACK, 0.55);
			cairo_set_line_width(cr, 3.4);
		}
		else
		{
			set_source(cr, pal::ACCENT);
			cairo_set_line_width(cr, 1.6);
		}
		for (int dir = -1; dir <= 1; dir += 2)
		{
			const double y = cy + dir * d;
			cairo_move_to(cr, cx - w, y - dir * h);
			cairo_line_to(cr, cx, y + dir * h);
			cairo_line_to(cr, cx + w, y - dir * h);
			cairo_stroke(cr);
		}
	}
}

} // namespace artgen
