#include "effect/ParamBandDelay.h"

#include <cmath>

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamBandDelay::ParamBandDelay()
{
	automation_priority = -1;
}

void ParamBandDelay::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Evolution", max_len);
}

void ParamBandDelay::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "ms", max_len);
}

double ParamBandDelay::denormalize_val(float n) const
{
	const double x = 2.0 * (double)n - 1.0;
	return 50.0 * ((x * x) * x);
}

float ParamBandDelay::normalize_val(double v) const
{
	if (v > 0.0)
		return (float)(0.5 + 0.5 * std::exp(std::log(v / 50.0) / 3.0));
	if (v < 0.0)
		return (float)(0.5 - 0.5 * std::exp(std::log(-v / 50.0) / 3.0));
	return 0.5f;
}

void ParamBandDelay::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_fixed5(buf, max_len, v);
}

double ParamBandDelay::do_scan_val(const char *text, bool &ok) const
{
	return ParamText::scan_clamped(text, ok, -50.0, 50.0);
}
