// "Evolution": delay step between consecutive bands, -50 to 50 ms, on a
// cubic law so that small delays get most of the range.
#pragma once

#include "plegg/NormalizedParamInterface.h"

class ParamBandDelay : public plegg::NormalizedParamInterface
{
public:
	ParamBandDelay();
	void get_name(char *buf, long max_len) const override;
	void get_unit(char *buf, long max_len) const override;
	double denormalize_val(float n) const override;
	float normalize_val(double v) const override;
	void do_print_val(char *buf, long max_len, double v) const override;
	double do_scan_val(const char *text, bool &ok) const override;
};
