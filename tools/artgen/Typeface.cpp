#include "tools/artgen/Typeface.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace artgen
{

namespace
{

FT_Library g_ft = nullptr;
const cairo_user_data_key_t FACE_KEY{};

FT_Library library()
{
	if (g_ft == nullptr && FT_Init_FreeType(&g_ft) != 0)
		throw std::runtime_error("cannot start FreeType");
	return g_ft;
}

void done_face(void *face)
{
	FT_Done_Face(static_cast<FT_Face>(face));
}

} // namespace

Typeface::Typeface(const std::string &path, const char *family, const char *style)
{
	FT_Face ft = nullptr;
	if (FT_New_Face(library(), path.c_str(), 0, &ft) != 0)
		throw std::runtime_error("cannot read the font file " + path);
	const char *fam = ft->family_name != nullptr ? ft->family_name : "";
	const char *sty = ft->style_name != nullptr ? ft->style_name : "";
	if (std::strcmp(fam, family) != 0 || std::strcmp(sty, style) != 0)
	{
		const std::string found = std::string(fam) + " " + sty;
		FT_Done_Face(ft);
		throw std::runtime_error(path + " holds \"" + found + "\", not \"" + family + " " + style + "\"");
	}
	_face = cairo_ft_font_face_create_for_ft_face(ft, 0);
	if (cairo_font_face_set_user_data(_face, &FACE_KEY, ft, done_face) != CAIRO_STATUS_SUCCESS)
	{
		cairo_font_face_destroy(_face);
		FT_Done_Face(ft);
		throw std::runtime_error("cannot attach the font face");
	}
}

Typeface::~Typeface()
{
	cairo_font_face_destroy(_face);
}

void Typeface::set_fixed_options(cairo_t *cr)
{
	cairo_font_options_t *o = cairo_font_options_create();
	cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
	cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
	cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
	cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
	cairo_set_font_options(cr, o);
	cairo_font_options_destroy(o);
}

void Typeface::use(cairo_t *cr, double size) const
{
	cairo_set_font_face(cr, _face);
	cairo_set_font_size(cr, size);
	set_fixed_options(cr);
}

double Typeface::measure(cairo_t *cr, double size, const std::string &text, double tracking) const
{
	use(cr, size);
	double w = 0.0;
	for (std::size_t i = 0; i < text.size(); ++i)
	{
		const char s[2] = {text[i], '\0'};
		cairo_text_extents_t e;
		cairo_text_extents(cr, s, &e);
		w += e.x_advance;
		if (i + 1 < text.size())
			w += tracking;
	}
	return w;
}

double Typeface::print(cairo_t *cr, double size, const std::string &text, double x, double y, Align align,
	double tracking) const
{
	const double w = measure(cr, size, text, tracking);
	double pen = x;
	if (align == Align_CENTER)
		pen = x - w / 2.0;
	else if (align == Align_RIGHT)
		pen = x - w;
	pen = std::round(pen);
	cairo_save(cr);
	for (char ch : text)
	{
		const char s[2] = {ch, '\0'};
		cairo_text_extents_t e;
		cairo_text_extents(cr, s, &e);
		cairo_move_to(cr, std::round(pen), std::round(y));
		cairo_show_text(cr, s);
		pen += e.x_advance + tracking;
	}
	cairo_restore(cr);
	return w;
}

void Typeface::shut_down()
{
	cairo_debug_reset_static_data();
	if (g_ft != nullptr)
	{
		FT_Done_FreeType(g_ft);
		g_ft = nullptr;
	}
}

} // namespace artgen
