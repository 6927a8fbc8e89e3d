#include "dsp/ParamInertia.h"

namespace dsp
{

void ParamInertia::set_val(float v)
{
	if (inertia_time == 0.0f) {
		val_cur = v;
		val_start = v;
		val_target = v;
		step = 0.0;
		return;
	}
	val_target = v;
	val_start = (float)val_cur;
	step = ((double)v - (double)(float)val_cur) / ((double)sample_freq * (double)inertia_time);
}

void ParamInertia::tick(long n)
{
	if (step == 0.0)
		return;
	val_cur += step * (double)n;
	if ((val_cur - (double)val_target) * step >= 0.0)
		arrive();
}

void ParamInertia::set_sample_freq(float f)
{
	step = step * (double)sample_freq / (double)f;
	sample_freq = f;
}

void ParamInertia::arrive()
{
	val_cur = val_target;
	val_start = val_target;
	step = 0.0;
}

} // namespace dsp
