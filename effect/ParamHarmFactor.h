// "Band Spacing": factor between the harmonics of the band filters,
// 1 to 5, linear.
#pragma once

#include "plegg/NormalizedParamInterface.h"

class ParamHarmFactor : public plegg::NormalizedParamInterface
{
public:
	ParamHarmFactor();
	void get_name(char *buf, long max_len) const override;
	void get_unit(char *buf, long max_len) const override;
	double denormalize_val(float n) const override;
	float normalize_val(double v) const override;
	void do_print_val(char *buf, long max_len, double v) const override;
	double do_scan_val(const char *text, bool &ok) const override;
};
