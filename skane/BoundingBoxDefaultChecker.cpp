#include "skane/BoundingBoxDefaultChecker.h"

namespace skane
{

void BoundingBoxDefaultChecker::set_custom_checker(BoundingBoxCustomChecker *checker)
{
	_custom = checker;
	if (checker != nullptr)
		checker->set_def(*this);
}

bool BoundingBoxDefaultChecker::check_point(const Coord2D &p) const
{
	if (_custom != nullptr)
		return _custom->check_point(p);
	return check_box(p);
}

} // namespace skane
