// A split of the background tree.
#pragma once

#include "skane/BackgroundNodeInterface.h"
#include "skane/SPTreeSplit.h"

namespace skane
{

class BackgroundSplit : public SPTreeSplit, public BackgroundNodeInterface
{
public:
	explicit BackgroundSplit(int type = Type_UNSET) : SPTreeSplit(type) {}
};

} // namespace skane
