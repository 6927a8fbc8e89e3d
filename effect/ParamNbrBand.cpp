#include "effect/ParamNbrBand.h"

#include <cmath>

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

ParamNbrBand::ParamNbrBand()
{
	automation_priority = -1;
}

void ParamNbrBand::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Nbr Bands", max_len);
}

void ParamNbrBand::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamNbrBand::denormalize_val(float n) const
{
	return std::floor(15.0 * (double)n + 0.5) + 1.0;
}

float ParamNbrBand::normalize_val(double v) const
{
	return (float)((v - 1.0) * 0.06666666666666667);
}

void ParamNbrBand::do_print_val(char *buf, long max_len, double v) const
{
	ParamText::print_rounded_int(buf, max_len, v, 2);
}

double ParamNbrBand::do_scan_val(const char *text, bool &ok) const
{
	const double v = ParamText::scan_clamped(text, ok, MIN_VAL, MAX_VAL);
	return std::floor(v + 0.5);
}
