// The engine's parameter registry, tempo LFOs and time unit.
#pragma once

#include <deque>

#include "basic/SharedPtr.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/TimeUnit.h"

namespace plegg
{

class FullLfoParamBase;

class PluginInternal
{
public:
	virtual ~PluginInternal() = default;
	// Appends; the registration order is the parameter index.
	virtual void register_param(basic::SharedPtr<NormalizedParamInterface> param);
	virtual void register_lfo(FullLfoParamBase &lfo);
	virtual TimeUnit &get_time_unit();
	virtual void update_tempo_lfos();

protected:
	std::deque<basic::SharedPtr<NormalizedParamInterface>> param_list;
	int nbr_param = 0;
	std::deque<FullLfoParamBase *> lfo_list;
	TimeUnit time_unit;
};

} // namespace plegg
