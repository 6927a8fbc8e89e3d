// A message that climbs from a control through its fathers to the window.
#pragma once

#include "skane/MessageInterface.h"

namespace skane
{

class MessageUp : public MessageInterface
{
};

} // namespace skane
