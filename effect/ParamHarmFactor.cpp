#include "effect/ParamHarmFactor.h"

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamHarmFactor::ParamHarmFactor()
{
	automation_priority = -1;
}

void ParamHarmFactor::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Band Spacing", max_len);
}

void ParamHarmFactor::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamHarmFactor::denormalize_val(float n) const
{
	return 1.0 + 4.0 * (double)n;
}

float ParamHarmFactor::normalize_val(double v) const
{
	return (float)((double)(float)(v - 1.0) * 0.25);
}

void ParamHarmFactor::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_fixed5(buf, max_len, v);
}

double ParamHarmFactor::do_scan_val(const char *text, bool &ok) const
{
	return ParamText::scan_clamped(text, ok, 1.0, 5.0);
}
