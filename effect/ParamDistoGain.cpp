#include "effect/ParamDistoGain.h"

#include <cmath>

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamDistoGain::ParamDistoGain()
{
	automation_priority = -1;
}

void ParamDistoGain::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Dist Gain", max_len);
}

void ParamDistoGain::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamDistoGain::denormalize_val(float n) const
{
	return std::exp(2.302585092994046 * (double)n);
}

float ParamDistoGain::normalize_val(double v) const
{
	return (float)(std::log(v) * 0.43429448190325176);
}

void ParamDistoGain::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_fixed5(buf, max_len, v);
}

double ParamDistoGain::do_scan_val(const char *text, bool &ok) const
{
	return ParamText::scan_clamped(text, ok, 1.0, 10.0);
}
