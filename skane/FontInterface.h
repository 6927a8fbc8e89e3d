// Bitmap font: a strip of glyphs whose last row is a marker row. Each run of
// equal values in the marker row is one character cell; cell c draws
// character code c. Codes without a cell, and bytes >= 128, are skipped and
// take no width. Glyphs are (strip height - 1) rows high.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/Coord2D.h"
#include "skane/Rect.h"
#include "skane/RenderingBufferInterface.h"
#include "skane/TextFrame.h"

#include <vector>

namespace skane
{

class FontInterface
{
public:
	struct CharDim
	{
		int width;
		int x;   // left column of the cell in the strip
	};

	virtual ~FontInterface() = default;
	FontInterface(const FontInterface &) = delete;
	FontInterface &operator=(const FontInterface &) = delete;

	// dest: the buffer's area in the frame's coordinates (the frame's
	// top-left is 0, 0). Prints the frame's text, justified within the
	// frame's width, clipped to the frame, the destination and the buffer.
	void print(const Rect &dest, RenderingBufferInterface &buf, const TextFrame &frame) const;
	// Sum of the widths of the cells of the text's characters.
	int get_line_width(const TextFrame &frame) const;
	int get_line_width(const std::string &mapped_text) const;

	const Coord2D &get_pic_size() const { return _strip_size; }
	int get_text_height() const { return _strip_size.y - 1; }
	int get_nbr_chars() const { return static_cast<int>(_cells.size()); }
	// Cell of a code, null when the font has none.
	const CharDim *get_char(unsigned char code) const;

protected:
	explicit FontInterface(const Coord2D &strip_size) : _strip_size(strip_size) {}

	// Builds the cells from the marker row: same(x) tells whether column x
	// of the marker row equals column x - 1.
	template <class Same>
	void decode_cells(Same same)
	{
		_cells.clear();
		for (int x = 0; x < _strip_size.x; ++x)
		{
			if (x == 0 || !same(x))
				_cells.push_back(CharDim{1, x});
			else
				++_cells.back().width;
		}
	}

	// Blends strip columns [sx0, sx1) and rows [sy0, sy1) into the buffer,
	// dst pointing at the buffer pixel of (sx0, sy0); stride in pixels.
	virtual void blit_char(int sx0, int sx1, int sy0, int sy1, AlphaRGB *dst, int stride, long color) const = 0;

private:
	Coord2D _strip_size;
	std::vector<CharDim> _cells;
};

} // namespace skane
