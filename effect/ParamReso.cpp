#include "effect/ParamReso.h"

#include <cmath>

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamReso::ParamReso()
{
	automation_priority = -1;
}

void ParamReso::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Resonance", max_len);
}

void ParamReso::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamReso::denormalize_val(float n) const
{
	return std::exp((2.0 * (double)n) * 2.3025851);
}

float ParamReso::normalize_val(double v) const
{
	return (float)(std::log(v) * 0.21714724095162588);
}

void ParamReso::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_fixed5(buf, max_len, v);
}

double ParamReso::do_scan_val(const char *text, bool &ok) const
{
	return ParamText::scan_clamped(text, ok, 1.0, 100.0);
}
