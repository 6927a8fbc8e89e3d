// Base of tempo-synchronised LFO parameters; the engine refreshes them when
// the tempo changes.
#pragma once

namespace plegg
{

class FullLfoParamBase
{
public:
	virtual ~FullLfoParamBase() = default;
	virtual void update_tempo() = 0;
};

} // namespace plegg
