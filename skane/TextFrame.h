// A text to print with a font: justification, frame size, colour, and the
// text's display form, rebuilt on first use after the text changes.
#pragma once

#include "skane/Coord2D.h"

#include <string>

namespace skane
{

class TextFrame
{
public:
	enum Justification
	{
		Justification_LEFT = 0,
		Justification_CENTER = 1,
		Justification_RIGHT = 2
	};

	void set_text(const std::string &text);
	const std::string &get_text() const { return _text; }
	// The text as the fonts draw it (one byte per character).
	const std::string &get_mapped_text() const;

	void set_font_color(long rgb) { _color = rgb & 0xFFFFFF; }
	void set_font_color(int r, int g, int b);
	long get_font_color() const { return _color; }

	void set_justification(int j) { _justification = j; }
	int get_justification() const { return _justification; }

	void set_size(const Coord2D &size) { _size = size; }
	const Coord2D &get_size() const { return _size; }

private:
	int _justification = Justification_LEFT;
	Coord2D _size;
	long _color = 0x808080;
	std::string _text;
	mutable std::string _mapped;
	mutable bool _mapped_ok = false;
};

} // namespace skane
