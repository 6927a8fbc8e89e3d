#include "effect/ParamHarmBalance.h"

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamHarmBalance::ParamHarmBalance()
{
	automation_priority = -1;
}

void ParamHarmBalance::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Tone", max_len);
}

void ParamHarmBalance::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamHarmBalance::denormalize_val(float n) const
{
	return (double)n;
}

float ParamHarmBalance::normalize_val(double v) const
{
	return (float)v;
}

void ParamHarmBalance::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_fixed5(buf, max_len, v);
}

double ParamHarmBalance::do_scan_val(const char *text, bool &ok) const
{
	return ParamText::scan_clamped(text, ok, 0.0, 1.0);
}
