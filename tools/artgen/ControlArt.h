// Pictures of the controls other than knobs: preset keys, bank keys, the
// setup key, the switches, the spin box's parts, the fader caps and the
// top-layer marks. Each is drawn for its canvas with its hot point in mind.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Typeface.h"

#include <string>

namespace artgen
{

class ControlArt
{
public:
	// Memory key with its number, up or pushed in (lit).
	static void memory_key(Canvas &c, const Typeface &bold, int number, bool pressed);
	// Bank key with its word ("LOAD", "SAVE").
	static void bank_key(Canvas &c, const Typeface &bold, const std::string &word, bool pressed);
	// Round key with a gear, centred on the hot point.
	static void setup_key(Canvas &c, int hot_x, int hot_y, bool pressed);

	// Slide switch: thumb left (right = false) or right. A lit switch
	// glows in the accent colour when the thumb is right.
	static void slide_switch(Canvas &c, int hot_x, int hot_y, bool right, bool lit_when_right);

	// The spin box: arrow keys above and below a ribbed drag handle.
	static void spin_arrow(Canvas &c, bool up, bool pressed);
	static void spin_handle(Canvas &c, bool pressed);

	// Fader cap standing across a horizontal track, its index line on the
	// hot column.
	static void fader_cap(Canvas &c, int hot_x);

	// Top-layer marks: a lit dot (on) or a ring (off), on the hot point.
	static void mark(Canvas &c, int hot_x, int hot_y, bool on);
};

} // namespace artgen
