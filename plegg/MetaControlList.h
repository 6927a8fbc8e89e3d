// One meta-control per engine parameter, entry i for parameter i; the
// editor sizes it to the parameter count.
#pragma once

#include "basic/DynArray.h"
#include "plegg/MetaControl.h"

namespace plegg
{

class MetaControlList : public basic::DynArray<MetaControl>
{
public:
	// update_param on every connected entry (the controls take the
	// parameters' present values).
	void update_params()
	{
		for (long i = 0; i < size(); ++i)
			if ((*this)[i].is_connected())
				(*this)[i].update_param();
	}
};

} // namespace plegg
