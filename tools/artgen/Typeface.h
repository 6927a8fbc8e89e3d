// The DejaVu faces the artwork prints with, loaded straight from their files
// with FreeType (no font matching), checked to be the family and style
// expected, and used with fixed anti-aliasing and hinting so the pictures
// come out the same on every build.
#pragma once

#include <cairo.h>

#include <string>

namespace artgen
{

class Typeface
{
public:
	// Throws std::runtime_error when the file cannot be read or holds
	// another family or style.
	Typeface(const std::string &path, const char *family, const char *style);
	~Typeface();
	Typeface(const Typeface &) = delete;
	Typeface &operator=(const Typeface &) = delete;

	// Selects the face at a pixel size, with the fixed options.
	void use(cairo_t *cr, double size) const;

	enum Align
	{
		Align_LEFT = 0,
		Align_CENTER,
		Align_RIGHT
	};

	// Width of a text in pixels with extra spacing between letters.
	double measure(cairo_t *cr, double size, const std::string &text, double tracking = 0.0) const;
	// Prints a text on the baseline y, placed by x and align, letter by
	// letter on whole pixels; the source must be set. Returns the width.
	double print(cairo_t *cr, double size, const std::string &text, double x, double y, Align align,
		double tracking = 0.0) const;

	// Options every text of the artwork uses: grey anti-aliasing, full
	// hinting, hinted metrics.
	static void set_fixed_options(cairo_t *cr);
	// Frees FreeType at exit (after every cairo object is gone).
	static void shut_down();

private:
	cairo_font_face_t *_face = nullptr;
};

} // namespace artgen
