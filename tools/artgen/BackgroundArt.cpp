#include "tools/artgen/BackgroundArt.h"

#include "effect/EditorLayout.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Shapes.h"

#include <cmath>
#include <string>

namespace artgen
{

namespace
{

using L = EditorLayout;

constexpr double LABEL_SIZE = 8.0;
constexpr double LABEL_TRACKING = 0.7;
constexpr double SMALL_SIZE = 7.0;

skane::Rect box_of(L::Ctrl c)
{
	return L::get_window_box(c);
}

void label(cairo_t *cr, const Typeface &bold, const std::string &text, double x, double y,
	Typeface::Align align, const Rgb &col = pal::LABEL, double size = LABEL_SIZE)
{
	// A faint dark copy one pixel lower sets the letters into the panel.
	set_source(cr, pal::BLACK, 0.45);
	bold.print(cr, size, text, x, y + 1.0, align, LABEL_TRACKING);
	set_source(cr, col);
	bold.print(cr, size, text, x, y, align, LABEL_TRACKING);
}

// Caption centred over a display field.
void caption(cairo_t *cr, const Typeface &bold, L::Ctrl text_box, const std::string &text)
{
	const skane::Rect b = box_of(text_box);
	label(cr, bold, text, (b.x0 + b.x1) / 2.0, b.y0 - 4.0, Typeface::Align_CENTER);
}

void panels(cairo_t *cr)
{
	const double w = L::WIN_SIZE.x, h = L::WIN_SIZE.y;
	const double strip = L::PRESET_STRIP_HEIGHT;

	cairo_pattern_t *main = cairo_pattern_create_linear(0.0, strip, 0.0, h);
	add_stop(main, 0.0, pal::PANEL_TOP);
	add_stop(main, 1.0, pal::PANEL_BOTTOM);
	cairo_rectangle(cr, 0.0, strip, w, h - strip);
	cairo_set_source(cr, main);
	cairo_fill(cr);
	cairo_pattern_destroy(main);

	// Light falling from the upper left across the panel.
	cairo_pattern_t *sheen = cairo_pattern_create_radial(40.0, strip, 0.0, 40.0, strip, 330.0);
	add_stop(sheen, 0.0, pal::WHITE, 0.06);
	add_stop(sheen, 1.0, pal::WHITE, 0.0);
	cairo_rectangle(cr, 0.0, strip, w, h - strip);
	cairo_set_source(cr, sheen);
	cairo_fill(cr);
	cairo_pattern_destroy(sheen);

	cairo_pattern_t *top = cairo_pattern_create_linear(0.0, 0.0, 0.0, strip);
	add_stop(top, 0.0, pal::STRIP_TOP);
	add_stop(top, 1.0, pal::STRIP_BOTTOM);
	cairo_rectangle(cr, 0.0, 0.0, w, strip);
	cairo_set_source(cr, top);
	cairo_fill(cr);
	cairo_pattern_destroy(top);

	// The strip's lower edge casts a shadow on the panel.
	cairo_pattern_t *sh = cairo_pattern_create_linear(0.0, strip, 0.0, strip + 5.0);
	add_stop(sh, 0.0, pal::BLACK, 0.45);
	add_stop(sh, 1.0, pal::BLACK, 0.0);
	cairo_rectangle(cr, 0.0, strip, w, 5.0);
	cairo_set_source(cr, sh);
	cairo_fill(cr);
	cairo_pattern_destroy(sh);
	set_source(cr, pal::WHITE, 0.07);
	cairo_rectangle(cr, 0.0, strip - 1.0, w, 1.0);
	cairo_fill(cr);

	// Outer frame: lit top and left edges, shaded bottom and right.
	set_source(cr, pal::WHITE, 0.08);
	cairo_rectangle(cr, 0.0, 0.0, w, 1.0);
	cairo_rectangle(cr, 0.0, 0.0, 1.0, h);
	cairo_fill(cr);
	set_source(cr, pal::BLACK, 0.5);
	cairo_rectangle(cr, 0.0, h - 1.0, w, 1.0);
	cairo_rectangle(cr, w - 1.0, 0.0, 1.0, h);
	cairo_fill(cr);
}

// Engraved line: dark groove with a lit lower-right edge.
void groove(cairo_t *cr, double x0, double y0, double x1, double y1)
{
	const bool vertical = (x0 == x1);
	set_source(cr, pal::BLACK, 0.45);
	cairo_rectangle(cr, x0, y0, vertical ? 1.0 : x1 - x0, vertical ? y1 - y0 : 1.0);
	cairo_fill(cr);
	set_source(cr, pal::WHITE, 0.07);
	cairo_rectangle(cr, vertical ? x0 + 1.0 : x0, vertical ? y0 : y0 + 1.0, vertical ? 1.0 : x1 - x0,
		vertical ? y1 - y0 : 1.0);
	cairo_fill(cr);
}

void display_fields(cairo_t *cr)
{
	for (const L::CtrlPlace &p : L::CTRL_PLACE)
	{
		if (p.recipe != L::Recipe_TEXT_BOX && p.recipe != L::Recipe_TEXT_BOX_SMALL)
			continue;
		const skane::Rect b = box_of(p.ctrl);
		Shapes::display_field(cr, b.x0 - 1.0, b.y0 - 1.0, b.width() + 2.0, b.height() + 2.0);
	}
}

// Slot of a horizontal fader: the track the cap's hot column travels along
// on the control's row, with ticks every tenth.
void fader_track(cairo_t *cr, L::Ctrl c, int amplitude, double half_cap, double tick_reach, bool ticks)
{
	const skane::Coord2D p = L::get_window_pos(c);
	const double y = p.y + 0.5;
	Shapes::well(cr, p.x - half_cap + 1.0, y - 2.0, amplitude + 2.0 * half_cap - 1.0, 4.0, 2.0, pal::WELL);
	if (!ticks)
		return;
	for (int k = 0; k <= 10; ++k)
	{
		const double x = p.x + 0.5 + amplitude * k / 10.0;
		const double len = (k % 5 == 0) ? 3.0 : 2.0;
		set_source(cr, pal::TICK, (k % 5 == 0) ? 0.9 : 0.55);
		cairo_rectangle(cr, std::floor(x), y + tick_reach, 1.0, len);
		cairo_rectangle(cr, std::floor(x), y - tick_reach - len, 1.0, len);
		cairo_fill(cr);
	}
}

void preset_strip(cairo_t *cr, const Typeface &bold)
{
	const skane::Rect m0 = box_of(L::Ctrl_MEMORY_0);
	label(cr, bold, "MEMORY", m0.x0 - 5.0, L::get_window_pos(L::Ctrl_MEMORY_0).y + 3.0, Typeface::Align_RIGHT);
	const skane::Rect load = box_of(L::Ctrl_LOAD_BANK);
	label(cr, bold, "BANK", load.x0 - 6.0, load.y0 + 11.0, Typeface::Align_RIGHT);

	fader_track(cr, L::Ctrl_MORPH_FADER, 50, 3.0, 0.0, false);
	const skane::Coord2D mp = L::get_window_pos(L::Ctrl_MORPH_FADER);
	label(cr, bold, "MORPH", mp.x + 25.0, 47.5, Typeface::Align_CENTER, pal::LABEL_DIM, SMALL_SIZE);
	const skane::Rect mt = box_of(L::Ctrl_MORPH_TEXT);
	label(cr, bold, "SEC", (mt.x0 + mt.x1) / 2.0, 47.5, Typeface::Align_CENTER, pal::LABEL_DIM, SMALL_SIZE);

	const skane::Coord2D st = L::get_window_pos(L::Ctrl_STORE_SWITCH);
	label(cr, bold, "STORE", st.x + 0.5, 47.5, Typeface::Align_CENTER, pal::LABEL_DIM, SMALL_SIZE);
}

void wordmark(cairo_t *cr, const Typeface &regular, const Typeface &bold)
{
	const double cx = 151.0;
	set_source(cr, pal::BLACK, 0.5);
	const double base = 87.0;
	bold.print(cr, 15.0, "BRASTOKE", cx, base + 1.0, Typeface::Align_CENTER, 2.0);
	set_source(cr, pal::LABEL);
	bold.print(cr, 15.0, "BRASTOKE", cx, base, Typeface::Align_CENTER, 2.0);
	set_source(cr, pal::ACCENT);
	cairo_rectangle(cr, cx - 44.0, base + 5.0, 88.0, 1.0);
	cairo_fill(cr);
	set_source(cr, pal::LABEL_DIM);
	regular.print(cr, SMALL_SIZE, "HARMONIC FILTER BANK", cx, base + 16.0, Typeface::Align_CENTER, 1.2);
}

void main_labels(cairo_t *cr, const Typeface &bold)
{
	caption(cr, bold, L::Ctrl_CUTOFF_TEXT, "CUTOFF");
	caption(cr, bold, L::Ctrl_RESO_TEXT, "RESONANCE");
	caption(cr, bold, L::Ctrl_NBR_BANDS_TEXT, "BANDS");
	caption(cr, bold, L::Ctrl_DIST_GAIN_TEXT, "DRIVE");
	caption(cr, bold, L::Ctrl_BAND_SPACING_TEXT, "SPACING");
	caption(cr, bold, L::Ctrl_EVOLUTION_TEXT, "EVOLUTION");

	// Switches: a title above, the two settings on either side.
	const skane::Coord2D rt = L::get_window_pos(L::Ctrl_DIST_ROUTING);
	// The title keeps clear of the switch's top-layer mark below it.
	label(cr, bold, "DISTORTION", rt.x + 0.5, rt.y - 21.0, Typeface::Align_CENTER);
	label(cr, bold, "PRE", rt.x - 15.0, rt.y + 3.5, Typeface::Align_RIGHT, pal::LABEL_DIM, SMALL_SIZE);
	label(cr, bold, "POST", rt.x + 15.0, rt.y + 3.5, Typeface::Align_LEFT, pal::LABEL_DIM, SMALL_SIZE);

	const skane::Coord2D ns = L::get_window_pos(L::Ctrl_NOTE_SWITCH);
	label(cr, bold, "HZ", ns.x - 15.0, ns.y + 3.5, Typeface::Align_RIGHT, pal::LABEL_DIM, SMALL_SIZE);
	label(cr, bold, "NOTE", ns.x + 15.0, ns.y + 3.5, Typeface::Align_LEFT, pal::LABEL_DIM, SMALL_SIZE);

	// Tone fader: its title above, its two ends below.
	fader_track(cr, L::Ctrl_TONE, 90, 5.0, 5.0, true);
	const skane::Coord2D tn = L::get_window_pos(L::Ctrl_TONE);
	label(cr, bold, "TONE", tn.x + 45.5, tn.y - 16.0, Typeface::Align_CENTER);
	label(cr, bold, "LOW-PASS", tn.x - 4.0, tn.y + 21.5, Typeface::Align_LEFT, pal::LABEL_DIM, SMALL_SIZE);
	label(cr, bold, "BANDS", tn.x + 95.0, tn.y + 21.5, Typeface::Align_RIGHT, pal::LABEL_DIM, SMALL_SIZE);
}

} // namespace

void BackgroundArt::draw(Canvas &c, const Typeface &regular, const Typeface &bold)
{
	cairo_t *cr = c.cr();
	panels(cr);
	groove(cr, 92.0, 60.0, 92.0, 326.0);
	groove(cr, 212.0, 60.0, 212.0, 326.0);
	display_fields(cr);
	preset_strip(cr, bold);
	wordmark(cr, regular, bold);
	main_labels(cr, bold);
}

} // namespace artgen
