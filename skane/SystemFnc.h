// Small system helpers of the toolkit.
#pragma once

namespace skane
{

class SystemFnc
{
public:
	// Character code drawn for c: the identity (fonts hold a cell per code).
	static unsigned char map_char_for_disp(unsigned char c) { return c; }
};

} // namespace skane
