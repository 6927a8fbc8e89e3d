// A node cut into adjacent bands along one axis, each band owned by a child
// node (not owned by the split). Child i's origin is the split's origin
// moved along the axis by the sizes of the bands before it. A down-message
// goes to the bands between the one holding its rectangle's top-left corner
// and the one holding its last pixel, in order; the distribution ends when
// a handler changes the band list.
#pragma once

#include "skane/SPTreeNodeInterface.h"

#include <deque>

namespace skane
{

class SPTreeSplit : public virtual SPTreeNodeInterface
{
public:
	enum Type
	{
		Type_UNSET = -1,
		Type_ROWS = 0,     // bands stacked along y
		Type_COLUMNS = 1   // bands side by side along x
	};

	class SPTreeSubdiv
	{
	public:
		SPTreeSubdiv(SPTreeNodeInterface *node, int size) : _node(node), _size(size) {}
		SPTreeNodeInterface *get_node() const { return _node; }
		int get_end_offset() const { return _size; }

	private:
		SPTreeNodeInterface *_node;
		int _size;
	};

	explicit SPTreeSplit(int type = Type_UNSET) : _type(type) {}

	void set_type(int type);
	int get_type() const { return _type; }

	// Each returns the new number of bands (erase: -1 for a bad index).
	int push_back(SPTreeNodeInterface &node, int size);
	int insert(SPTreeNodeInterface &node, int size, int index);
	int erase(int index);
	int change(SPTreeNodeInterface &node, int size, int index);
	int get_nbr_subdivs() const { return static_cast<int>(_subdivs.size()); }
	SPTreeNodeInterface *use_node(int index) const;

	// Sum of the sizes of the bands before index.
	int get_total_offset_to(int index) const;
	// Band holding the point along the split's axis; beyond the last band
	// the last one; -1 when there is none.
	int get_subdiv_index_by_coord(const Coord2D &p) const;

	void refresh_coord(const Coord2D &origin) override;

protected:
	int do_send_message(MessageInterface &msg) override;

private:
	void attach(SPTreeNodeInterface &node);
	Coord2D child_origin(int index) const;

	int _type;
	std::deque<SPTreeSubdiv> _subdivs;
	bool _structure_changed = false;
};

} // namespace skane
