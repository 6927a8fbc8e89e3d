#include "effect/ParamDistoRouting.h"

#include <cmath>

#include "basic/StrFnc.h"
#include "effect/ParamText.h"

const char *const ParamDistoRouting::_ROUTING_NAME_LIST[NBR_ROUTINGS] = {"Pre", "Post"};

ParamDistoRouting::ParamDistoRouting()
{
	automation_priority = -1;
}

void ParamDistoRouting::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Dist Routing", max_len);
}

void ParamDistoRouting::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "", max_len);
}

double ParamDistoRouting::denormalize_val(float n) const
{
	return std::floor((double)n + 0.5);
}

float ParamDistoRouting::normalize_val(double v) const
{
	return (float)std::floor(v + 0.5);
}

void ParamDistoRouting::do_print_val(char *buf, long max_len, double v) const
{
	const int index = (v + 0.5 >= 1.0) ? ROUTING_POST : ROUTING_PRE;
	basic::strncpy_0(buf, _ROUTING_NAME_LIST[index], max_len);
}

double ParamDistoRouting::do_scan_val(const char *text, bool &ok) const
{
	if (ParamText::contains_no_case(text, "pre")) {
		ok = true;
		return ROUTING_PRE;
	}
	if (ParamText::contains_no_case(text, "post")) {
		ok = true;
		return ROUTING_POST;
	}
	return ROUTING_POST;
}
