// State of an envelope follower as the biquad's limiter form reads it: the
// current level and the smoothing coefficient (0 to 1, 1 follows at once).
#pragma once

namespace dsp
{

struct EnvFollowerBase
{
	float level = 0.0f;
	float coef = 1.0f;
};

} // namespace dsp
