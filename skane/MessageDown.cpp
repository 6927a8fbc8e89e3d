#include "skane/MessageDown.h"

namespace skane
{

const Rect MessageDown::BROADCAST(-32000, -32000, 32000, 32000);

} // namespace skane
