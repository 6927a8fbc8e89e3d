// A sheet of both knobs at the values 0, 0.5 and 1, each drawn by the
// toolkit with the editor's recipe, captioned with the editor's font.
#pragma once

#include "skane/MemoryRenderingBuffer.h"
#include "tools/preview/PictureSet.h"

namespace preview
{

class KnobSheet
{
public:
	static constexpr int CELL_W = 110;
	static constexpr int CELL_H = 120;

	static skane::Coord2D get_size() { return skane::Coord2D(3 * CELL_W, 2 * CELL_H); }
	// Draws the sheet into buf, which must have get_size().
	static void render(const PictureSet &pics, skane::MemoryRenderingBuffer &buf);
};

} // namespace preview
