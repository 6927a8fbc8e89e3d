// A split of the control-group tree.
#pragma once

#include "skane/CtrlGroupNodeInterface.h"
#include "skane/SPTreeSplit.h"

namespace skane
{

class CtrlGroupSplit : public SPTreeSplit, public CtrlGroupNodeInterface
{
public:
	explicit CtrlGroupSplit(int type = Type_UNSET) : SPTreeSplit(type) {}
};

} // namespace skane
