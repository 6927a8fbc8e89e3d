// "Dist Routing": where the distortion sits. 0 "Pre": on the harmonic
// low-pass branch alone, before the mix; 1 "Post": on the whole mix.
#pragma once

#include "plegg/NormalizedParamInterface.h"

class ParamDistoRouting : public plegg::NormalizedParamInterface
{
public:
	enum Routing
	{
		ROUTING_PRE = 0,
		ROUTING_POST,

		NBR_ROUTINGS
	};

	static const char *const _ROUTING_NAME_LIST[NBR_ROUTINGS];

	ParamDistoRouting();
	void get_name(char *buf, long max_len) const override;
	void get_unit(char *buf, long max_len) const override;
	int get_range_type() const override { return 1; }
	double denormalize_val(float n) const override;
	float normalize_val(double v) const override;
	void do_print_val(char *buf, long max_len, double v) const override;
	// "pre" anywhere (any case) gives 0, else "post" gives 1.
	double do_scan_val(const char *text, bool &ok) const override;
};
