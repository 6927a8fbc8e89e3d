// A box (relative to its owner's position) and the point test on it.
#pragma once

#include "skane/BoundingBoxCustomChecker.h"
#include "skane/Coord2D.h"
#include "skane/Rect.h"

#include <climits>

namespace skane
{

class BoundingBoxDefaultChecker
{
public:
	virtual ~BoundingBoxDefaultChecker() = default;

	void set_box(const Rect &box) { _box = box; }
	const Rect &get_box() const { return _box; }
	// Not owned; null restores the plain box test.
	void set_custom_checker(BoundingBoxCustomChecker *checker);
	BoundingBoxCustomChecker *get_custom_checker() const { return _custom; }

	// The custom checker's answer if one is set, else x0 <= x < x1 and
	// y0 <= y < y1.
	virtual bool check_point(const Coord2D &p) const;

protected:
	bool check_box(const Coord2D &p) const { return _box.contains(p); }

private:
	Rect _box{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
	BoundingBoxCustomChecker *_custom = nullptr;
};

} // namespace skane
