// The one palette and the one light of the artwork. Every picture takes its
// colours from here, and every bevel, highlight and shadow assumes light
// from the upper left.
#pragma once

#include <cairo.h>

namespace artgen
{

struct Rgb
{
	double r;
	double g;
	double b;

	constexpr Rgb mix(const Rgb &o, double t) const
	{
		return Rgb{r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
	}
	constexpr Rgb scaled(double k) const { return Rgb{r * k, g * k, b * k}; }
};

constexpr Rgb hex(unsigned int rgb)
{
	return Rgb{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

inline void set_source(cairo_t *cr, const Rgb &c, double alpha = 1.0)
{
	cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

inline void add_stop(cairo_pattern_t *p, double offset, const Rgb &c, double alpha = 1.0)
{
	cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

namespace pal
{

// Panels: the main panel and the darker preset strip above it.
constexpr Rgb PANEL_TOP = hex(0x353A42);
constexpr Rgb PANEL_BOTTOM = hex(0x2A2E35);
constexpr Rgb STRIP_TOP = hex(0x212429);
constexpr Rgb STRIP_BOTTOM = hex(0x1B1D21);
constexpr Rgb WELL = hex(0x16181B);         // recesses: fader slots, switch beds

// Printing on the panel.
constexpr Rgb LABEL = hex(0xD5D9DF);
constexpr Rgb LABEL_DIM = hex(0x8D949E);
constexpr Rgb TICK = hex(0xA3AAB4);

// The accent: value pointers, lit states.
constexpr Rgb ACCENT = hex(0xFFB13B);
constexpr Rgb ACCENT_HOT = hex(0xFFD58A);
constexpr Rgb ACCENT_DEEP = hex(0xC97A12);

// Display fields (the font is drawn dark on them).
constexpr Rgb LCD_TOP = hex(0xECE6D2);
constexpr Rgb LCD_BOTTOM = hex(0xDCD4BC);
constexpr Rgb INK = hex(0x231E16);

// Knobs and caps.
constexpr Rgb CAP = hex(0x474C55);
constexpr Rgb SKIRT = hex(0x2D3036);
constexpr Rgb BUTTON = hex(0x4A4F58);
constexpr Rgb BUTTON_DOWN = hex(0x3A3E45);

constexpr Rgb BLACK = hex(0x000000);
constexpr Rgb WHITE = hex(0xFFFFFF);

} // namespace pal

// Direction towards the light (x right, y down, z out of the screen).
struct Light
{
	static constexpr double X = -0.48;
	static constexpr double Y = -0.62;
	static constexpr double Z = 0.62;
};

} // namespace artgen
