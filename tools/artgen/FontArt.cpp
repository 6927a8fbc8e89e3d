#include "tools/artgen/FontArt.h"

#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace artgen
{

namespace
{

struct GlyphBox
{
	int advance;
	int left_pad;   // columns added on the left for ink before the pen
	int width;      // cell width
};

} // namespace

FontArt::Strip FontArt::make(const Typeface &face, double size, double baseline)
{
	Canvas scratch(1, 1);
	cairo_t *sc = scratch.cr();
	face.use(sc, size);

	std::vector<GlyphBox> boxes(LAST_CODE + 1, GlyphBox{1, 0, 1});
	int digit_width = 0;
	for (int code = FIRST_PRINTABLE; code <= LAST_CODE; ++code)
	{
		const char s[2] = {static_cast<char>(code), '\0'};
		cairo_text_extents_t e;
		cairo_text_extents(sc, s, &e);
		GlyphBox b;
		b.advance = static_cast<int>(std::lround(e.x_advance));
		b.left_pad = 0;
		if (e.width > 0.0)
		{
			b.left_pad = std::max(0, static_cast<int>(std::ceil(-e.x_bearing)));
			const int ink_right = static_cast<int>(std::ceil(e.x_bearing + e.width));
			b.width = b.left_pad + std::max(b.advance, ink_right);
		}
		else
			b.width = b.advance;
		b.width = std::max(b.width, 1);
		boxes[code] = b;
		if (code >= '0' && code <= '9')
			digit_width = std::max(digit_width, b.width);
	}
	for (int code = '0'; code <= '9'; ++code)
	{
		GlyphBox &b = boxes[code];
		b.left_pad += (digit_width - b.width) / 2;
		b.width = digit_width;
	}

	Strip strip;
	strip.height = GLYPH_ROWS + 1;
	for (const GlyphBox &b : boxes)
	{
		strip.width += b.width;
		strip.cell_width.push_back(b.width);
	}

	Canvas glyphs(strip.width, GLYPH_ROWS);
	cairo_t *cr = glyphs.cr();
	face.use(cr, size);
	cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 1.0);
	int x = 0;
	for (int code = 0; code <= LAST_CODE; ++code)
	{
		const GlyphBox &b = boxes[code];
		if (code >= FIRST_PRINTABLE)
		{
			const char s[2] = {static_cast<char>(code), '\0'};
			cairo_move_to(cr, x + b.left_pad, baseline);
			cairo_show_text(cr, s);
		}
		x += b.width;
	}

	strip.coverage = glyphs.to_alpha();
	// Marker row: the value flips at the start of each cell.
	int code = 0;
	int in_cell = 0;
	for (int col = 0; col < strip.width; ++col)
	{
		strip.coverage.push_back((code & 1) ? 255 : 0);
		if (++in_cell == boxes[code].width)
		{
			++code;
			in_cell = 0;
		}
	}
	return strip;
}

} // namespace artgen
