#include "plegg/PluginInternal.h"

#include "plegg/FullLfoParamBase.h"

namespace plegg
{

void PluginInternal::register_param(basic::SharedPtr<NormalizedParamInterface> param)
{
	param_list.push_back(std::move(param));
	++nbr_param;
}

void PluginInternal::register_lfo(FullLfoParamBase &lfo)
{
	lfo_list.push_back(&lfo);
}

TimeUnit &PluginInternal::get_time_unit()
{
	return time_unit;
}

void PluginInternal::update_tempo_lfos()
{
	for (FullLfoParamBase *lfo : lfo_list)
		lfo->update_tempo();
}

} // namespace plegg
