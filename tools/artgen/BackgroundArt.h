// The editor's background, 300 x 335, opaque: the preset strip and the main
// panel, the display fields under the text boxes, the fader tracks, the
// labels of every control and the product's name. Everything is placed from
// the control table, so it lines up with the controls drawn over it.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Typeface.h"

namespace artgen
{

class BackgroundArt
{
public:
	static void draw(Canvas &c, const Typeface &regular, const Typeface &bold);
};

} // namespace artgen
