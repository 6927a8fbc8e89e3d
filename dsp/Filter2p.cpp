#include "dsp/Filter2p.h"

namespace dsp
{

const char *const Filter2p::TYPE_NAME[NBR_TYPES] = {"Low-pass", "High-pass", "Resonator", "Band-pass"};

Filter2p::Filter2p() : type(TYPE_RESONATOR), reso(1.0f), q(1.0f)
{
	update_eq();
}

void Filter2p::update_eq()
{
	switch (type) {
	case TYPE_LOW_PASS:
		eq_s_b[0] = 1.0f;
		eq_s_b[1] = 0.0f;
		eq_s_b[2] = 0.0f;
		eq_s_a[1] = 1.0f / reso;
		break;
	case TYPE_HIGH_PASS:
		eq_s_b[0] = 0.0f;
		eq_s_b[1] = 0.0f;
		eq_s_b[2] = 1.0f;
		eq_s_a[1] = 1.0f / reso;
		break;
	case TYPE_RESONATOR:
		eq_s_b[0] = 1.0f;
		eq_s_b[1] = reso / q;
		eq_s_b[2] = 1.0f;
		eq_s_a[1] = 1.0f / q;
		break;
	case TYPE_BAND_PASS:
		eq_s_b[0] = 0.0f;
		eq_s_b[1] = reso / q;
		eq_s_b[2] = 0.0f;
		eq_s_a[1] = 1.0f / q;
		break;
	default:
		break;
	}
	eq_s_a[0] = 1.0f;
	eq_s_a[2] = 1.0f;
	transform_s_to_z();
}

void Filter2p::copy_settings(const Filter2p &other)
{
	copy_design(other);
	type = other.type;
	reso = other.reso;
	q = other.q;
}

} // namespace dsp
