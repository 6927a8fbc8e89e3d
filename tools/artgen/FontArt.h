// The editor's bitmap font: a strip of glyph cells, one per character code
// from 0 (codes below 32 are one blank column each) to 126, glyph rows
// above a marker row whose value changes from each cell to the next. Digits
// share one width so numbers keep their place while they change.
#pragma once

#include "tools/artgen/Typeface.h"

#include <cstdint>
#include <vector>

namespace artgen
{

class FontArt
{
public:
	static constexpr int GLYPH_ROWS = 12;
	static constexpr int FIRST_PRINTABLE = 32;
	static constexpr int LAST_CODE = 126;

	struct Strip
	{
		int width = 0;
		int height = 0;                      // glyph rows + the marker row
		std::vector<std::uint8_t> coverage;  // width * height bytes
		std::vector<int> cell_width;         // per code
	};

	// size: pixel size of the face; baseline: row of the baseline.
	static Strip make(const Typeface &face, double size, double baseline);
};

} // namespace artgen
