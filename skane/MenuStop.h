// Asks the window to close the menu being shown.
#pragma once

#include "skane/MessageUp.h"

namespace skane
{

class MenuStop : public MessageUp
{
};

} // namespace skane
