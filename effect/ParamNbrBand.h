// "Nbr Bands": the harmonic low-pass plus the band filters, 1 to 16, whole
// numbers.
#pragma once

#include "plegg/NormalizedParamInterface.h"

class ParamNbrBand : public plegg::NormalizedParamInterface
{
public:
	static constexpr int MIN_VAL = 1;
	static constexpr int MAX_VAL = 16;

	ParamNbrBand();
	void get_name(char *buf, long max_len) const override;
	void get_unit(char *buf, long max_len) const override;
	int get_range_type() const override { return 1; }
	double denormalize_val(float n) const override;
	float normalize_val(double v) const override;
	void do_print_val(char *buf, long max_len, double v) const override;
	double do_scan_val(const char *text, bool &ok) const override;
};
