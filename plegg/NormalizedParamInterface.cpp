#include "plegg/NormalizedParamInterface.h"

#include "plegg/NotifiedInterface.h"

namespace plegg
{

void NormalizedParamInterface::init(double v, int automation_prio)
{
	set_val(v);
	set_norm(normalize_val(v));
	automation_priority = automation_prio;
}

void NormalizedParamInterface::change_norm(float n)
{
	set_norm(n);
	set_val(denormalize_val(n));
	do_set_val();
	if (notified != nullptr)
		notified->notify(*this);
}

void NormalizedParamInterface::change_val(double v)
{
	set_val(v);
	set_norm(normalize_val(v));
	do_set_val();
	if (notified != nullptr)
		notified->notify(*this);
}

} // namespace plegg
