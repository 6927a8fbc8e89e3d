// A node of the background tree (splits and background pictures).
#pragma once

#include "skane/SPTreeNodeInterface.h"

namespace skane
{

class BackgroundNodeInterface : public virtual SPTreeNodeInterface
{
};

} // namespace skane
