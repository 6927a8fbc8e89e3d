#include "tools/artgen/ControlArt.h"

#include "tools/artgen/Palette.h"
#include "tools/artgen/Shapes.h"

#include <cmath>

namespace artgen
{

namespace
{

constexpr double PI = 3.14159265358979323846;

// Soft glow of a lit element.
void glow(cairo_t *cr, double cx, double cy, double r0, double r1, const Rgb &col, double alpha)
{
	cairo_pattern_t *p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
	add_stop(p, 0.0, col, alpha);
	add_stop(p, 1.0, col, 0.0);
	cairo_set_source(cr, p);
	cairo_arc(cr, cx, cy, r1, 0.0, 2.0 * PI);
	cairo_fill(cr);
	cairo_pattern_destroy(p);
}

void chevron(cairo_t *cr, double cx, double cy, double w, double h, bool up)
{
	const double d = up ? -1.0 : 1.0;
	cairo_move_to(cr, cx - w, cy - d * h);
	cairo_line_to(cr, cx, cy + d * h);
	cairo_line_to(cr, cx + w, cy - d * h);
	cairo_close_path(cr);
	cairo_fill(cr);
}

} // namespace

void ControlArt::memory_key(Canvas &c, const Typeface &bold, int number, bool pressed)
{
	cairo_t *cr = c.cr();
	// 16 x 16 with the hot pixel at (8, 8): the key is centred on x = 8.
	Shapes::key(cr, 1.0, 0.5, 14.0, 14.0, 3.0, pressed ? pal::BUTTON_DOWN : pal::BUTTON, pressed);
	const std::string text(1, static_cast<char>('0' + number));
	const double dy = pressed ? 0.5 : 0.0;
	if (pressed)
	{
		glow(cr, 8.0, 7.5, 0.0, 7.0, pal::ACCENT, 0.35);
		set_source(cr, pal::ACCENT_HOT);
	}
	else
		set_source(cr, pal::LABEL);
	bold.print(cr, 9.0, text, 8.0, 11.0 + dy, Typeface::Align_CENTER);
}

void ControlArt::bank_key(Canvas &c, const Typeface &bold, const std::string &word, bool pressed)
{
	cairo_t *cr = c.cr();
	const double w = c.width() - 1.0;
	Shapes::key(cr, 0.5, 0.5, w - 0.5, c.height() - 2.0, 3.0, pressed ? pal::BUTTON_DOWN : pal::BUTTON, pressed);
	set_source(cr, pressed ? pal::ACCENT_HOT : pal::LABEL);
	bold.print(cr, 8.0, word, w / 2.0 + 0.5, 10.5 + (pressed ? 0.5 : 0.0), Typeface::Align_CENTER, 0.8);
}

void ControlArt::setup_key(Canvas &c, int hot_x, int hot_y, bool pressed)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	const double r = 11.5;
	// Raised round key.
	cairo_arc(cr, cx + 0.5, cy + (pressed ? 0.5 : 1.2), r, 0.0, 2.0 * PI);
	set_source(cr, pal::BLACK, 0.55);
	cairo_fill(cr);
	cairo_pattern_t *body = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
	const Rgb base = pressed ? pal::BUTTON_DOWN : pal::BUTTON;
	add_stop(body, 0.0, base.scaled(pressed ? 0.8 : 1.22));
	add_stop(body, 1.0, base.scaled(pressed ? 0.95 : 0.86));
	cairo_arc(cr, cx, cy, r, 0.0, 2.0 * PI);
	cairo_set_source(cr, body);
	cairo_fill(cr);
	cairo_pattern_destroy(body);
	cairo_pattern_t *edge = cairo_pattern_create_linear(cx - r, cy - r, cx + r * 0.6, cy + r);
	add_stop(edge, 0.0, pressed ? pal::BLACK : pal::WHITE, pressed ? 0.45 : 0.32);
	add_stop(edge, 1.0, pressed ? pal::WHITE : pal::BLACK, pressed ? 0.08 : 0.35);
	cairo_arc(cr, cx, cy, r - 0.5, 0.0, 2.0 * PI);
	cairo_set_source(cr, edge);
	cairo_set_line_width(cr, 1.0);
	cairo_stroke(cr);
	cairo_pattern_destroy(edge);

	// Gear: eight teeth around a ring.
	if (pressed)
		glow(cr, cx, cy, 0.0, 10.0, pal::ACCENT, 0.3);
	const int teeth = 8;
	const double ro = 6.6, ri = 4.9;
	cairo_new_path(cr);
	for (int i = 0; i < teeth; ++i)
	{
		const double a0 = 2.0 * PI * i / teeth;
		const double half = PI / teeth;
		const double pts[4][2] = {
			{ri, a0 - half * 0.95}, {ro, a0 - half * 0.5}, {ro, a0 + half * 0.5}, {ri, a0 + half * 0.95}};
		for (const auto &p : pts)
		{
			const double x = cx + p[0] * std::cos(p[1]);
			const double y = cy + p[0] * std::sin(p[1]);
			if (i == 0 && &p == &pts[0])
				cairo_move_to(cr, x, y);
			else
				cairo_line_to(cr, x, y);
		}
	}
	cairo_close_path(cr);
	cairo_new_sub_path(cr);
	cairo_arc_negative(cr, cx, cy, 2.2, 2.0 * PI, 0.0);
	cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
	set_source(cr, pressed ? pal::ACCENT_HOT : pal::LABEL);
	cairo_fill(cr);
	cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void ControlArt::slide_switch(Canvas &c, int hot_x, int hot_y, bool right, bool lit_when_right)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	const double tw = 21.0, th = 11.0;
	const double x = cx - tw / 2.0, y = cy - th / 2.0;
	const bool lit = right && lit_when_right;
	Shapes::well(cr, x, y, tw, th, th / 2.0, lit ? pal::ACCENT_DEEP : pal::WELL);
	if (lit)
	{
		cairo_save(cr);
		Shapes::rounded_rect(cr, x, y, tw, th, th / 2.0);
		cairo_clip(cr);
		glow(cr, x + th / 2.0, cy, 0.0, tw * 0.7, pal::ACCENT, 0.85);
		cairo_restore(cr);
	}
	const double tr = 6.4;
	const double tx = right ? x + tw - th / 2.0 : x + th / 2.0;
	Shapes::dome(cr, tx, cy, tr, hex(0x8C929B), true);
	// Grip: a short groove across the thumb.
	set_source(cr, pal::BLACK, 0.35);
	cairo_set_line_width(cr, 1.0);
	cairo_move_to(cr, tx, cy - 3.0);
	cairo_line_to(cr, tx, cy + 3.0);
	cairo_stroke(cr);
	set_source(cr, pal::WHITE, 0.3);
	cairo_move_to(cr, tx + 1.0, cy - 3.0);
	cairo_line_to(cr, tx + 1.0, cy + 3.0);
	cairo_stroke(cr);
}

void ControlArt::spin_arrow(Canvas &c, bool up, bool pressed)
{
	cairo_t *cr = c.cr();
	// The up key keeps a free row below it, the down key one above it, so
	// both stand off the handle by the same gap.
	const double y = up ? 0.5 : 1.5;
	const double w = c.width() - 1.0;
	const double h = c.height() - 2.0;
	Shapes::key(cr, 0.5, y, w, h - 0.5, 2.5, pressed ? pal::BUTTON_DOWN : pal::BUTTON, pressed);
	set_source(cr, pressed ? pal::ACCENT_HOT : pal::LABEL);
	chevron(cr, 0.5 + w / 2.0, y + h / 2.0 - 0.2 + (pressed ? 0.4 : 0.0), 3.5, 2.2, up);
}

void ControlArt::spin_handle(Canvas &c, bool pressed)
{
	cairo_t *cr = c.cr();
	const double x = 1.0, y = 0.5, w = c.width() - 2.0, h = c.height() - 2.0;
	Shapes::key(cr, x, y, w, h, 4.0, pressed ? pal::BUTTON_DOWN : pal::BUTTON, pressed);
	// Ribs across the handle, each lit on its upper edge.
	cairo_set_line_width(cr, 1.0);
	for (double ry = y + 5.5; ry < y + h - 4.0; ry += 3.0)
	{
		set_source(cr, pal::BLACK, 0.45);
		cairo_move_to(cr, x + 5.0, ry);
		cairo_line_to(cr, x + w - 5.0, ry);
		cairo_stroke(cr);
		set_source(cr, pal::WHITE, 0.16);
		cairo_move_to(cr, x + 5.0, ry + 1.0);
		cairo_line_to(cr, x + w - 5.0, ry + 1.0);
		cairo_stroke(cr);
	}
	if (pressed)
	{
		Shapes::rounded_rect(cr, x + 0.5, y + 0.5, w - 1.0, h - 1.0, 3.5);
		set_source(cr, pal::ACCENT, 0.9);
		cairo_set_line_width(cr, 1.0);
		cairo_stroke(cr);
	}
}

void ControlArt::fader_cap(Canvas &c, int hot_x)
{
	cairo_t *cr = c.cr();
	const double w = c.width() - 1.0, h = c.height() - 1.0;
	Shapes::key(cr, 0.5, 0.5, w - 0.5, h - 0.5, 2.0, pal::BUTTON, false);
	// Index line on the hot column.
	set_source(cr, pal::ACCENT);
	cairo_rectangle(cr, hot_x, 3.0, 1.0, h - 6.0);
	cairo_fill(cr);
}

void ControlArt::mark(Canvas &c, int hot_x, int hot_y, bool on)
{
	cairo_t *cr = c.cr();
	const double cx = hot_x + 0.5, cy = hot_y + 0.5;
	if (on)
	{
		glow(cr, cx, cy, 1.0, 5.5, pal::ACCENT, 0.7);
		cairo_arc(cr, cx, cy, 3.0, 0.0, 2.0 * PI);
		set_source(cr, pal::BLACK, 0.6);
		cairo_set_line_width(cr, 1.0);
		cairo_stroke_preserve(cr);
		cairo_pattern_t *p = cairo_pattern_create_radial(cx - 1.0, cy - 1.0, 0.3, cx, cy, 3.0);
		add_stop(p, 0.0, pal::WHITE);
		add_stop(p, 0.5, pal::ACCENT_HOT);
		add_stop(p, 1.0, pal::ACCENT);
		cairo_set_source(cr, p);
		cairo_fill(cr);
		cairo_pattern_destroy(p);
	}
	else
	{
		cairo_arc(cr, cx, cy, 3.5, 0.0, 2.0 * PI);
		set_source(cr, pal::BLACK, 0.7);
		cairo_set_line_width(cr, 2.6);
		cairo_stroke_preserve(cr);
		set_source(cr, pal::ACCENT, 0.95);
		cairo_set_line_width(cr, 1.2);
		cairo_stroke(cr);
	}
}

} // namespace artgen
