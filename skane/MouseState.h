// Bit sets carried by mouse messages.
#pragma once

namespace skane
{

// Buttons: 1 primary, 2 secondary, 4 tertiary; 0 = no button (a release).
using MouseState = int;
// Modifiers: 1 Control, 2 Shift, 4 Command, 8 Option.
using AltKeys = int;

enum
{
	MouseState_PRIMARY = 1,
	MouseState_SECONDARY = 2,
	MouseState_TERTIARY = 4,
	AltKeys_CONTROL = 1,
	AltKeys_SHIFT = 2,
	AltKeys_COMMAND = 4,
	AltKeys_OPTION = 8
};

} // namespace skane
