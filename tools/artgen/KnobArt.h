// The knobs: faces for the film strips (turned by a given fraction of a
// turn, lit from the upper left whatever the turn), graduations with the
// knob's drop shadow, the value spots and the drag arrows. Every rotated
// picture is centred on its hot point: the centre of the hot pixel is the
// centre of rotation.
#pragma once

#include "tools/artgen/Canvas.h"

namespace artgen
{

class KnobArt
{
public:
	// Canvas sizes for a hot point: the face fits around it.
	static constexpr int LARGE_FACE_MARGIN = 37;
	static constexpr int SMALL_FACE_MARGIN = 21;

	// The large knob's face (knurled skirt, 32 ridges) turned by turns,
	// counter-clockwise for positive turns.
	static void large_face(Canvas &c, int hot_x, int hot_y, double turns);
	// The small knob's face (seven flutes).
	static void small_face(Canvas &c, int hot_x, int hot_y, double turns);

	// Drop shadow and the scale around the knob: octave ticks for the
	// large knob (eight octaves), tenths for the small one.
	static void large_graduation(Canvas &c, int hot_x, int hot_y);
	static void small_graduation(Canvas &c, int hot_x, int hot_y);

	// The value pointer: a line along +x starting at the hot pixel.
	static void spot(Canvas &c, int hot_x, int hot_y);

	// Shown on the cap while the knob is dragged: up and down chevrons.
	static void arrow(Canvas &c, int hot_x, int hot_y, double size);
};

} // namespace artgen
