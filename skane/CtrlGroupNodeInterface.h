// A node of the control-group tree (splits and control groups).
#pragma once

#include "skane/SPTreeNodeInterface.h"

namespace skane
{

class CtrlGroupNodeInterface : public virtual SPTreeNodeInterface
{
};

} // namespace skane
