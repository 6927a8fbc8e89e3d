// Hook that replaces the box test of a picture or control. It gets the
// default checker it refines and decides alone.
#pragma once

#include "skane/Coord2D.h"

namespace skane
{

class BoundingBoxDefaultChecker;

class BoundingBoxCustomChecker
{
public:
	virtual ~BoundingBoxCustomChecker() = default;

	void set_def(const BoundingBoxDefaultChecker &def) { _def = &def; }
	const BoundingBoxDefaultChecker *get_def() const { return _def; }

	virtual bool check_point(const Coord2D &p) const = 0;

private:
	const BoundingBoxDefaultChecker *_def = nullptr;
};

} // namespace skane
