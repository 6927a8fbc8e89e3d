// Control-group leaf: an ordered list of controls (not owned), each placed
// at its own coordinate relative to the group's origin. A point message goes
// to the first control whose hit test accepts it; an area message to every
// control whose box, placed at its window position, overlaps the area
// (strictly), in list order, until the list changes.
#pragma once

#include "skane/CtrlGroupNodeInterface.h"

#include <vector>

namespace skane
{

class ControlInterface;

class CtrlGroupItem : public CtrlGroupNodeInterface
{
public:
	CtrlGroupItem() = default;
	// Its controls forget it.
	~CtrlGroupItem() override;
	CtrlGroupItem(const CtrlGroupItem &) = delete;
	CtrlGroupItem &operator=(const CtrlGroupItem &) = delete;

	// Adds the control: it becomes this group's child, is placed, and
	// takes the group's shown state. Returns the number of controls.
	int push_back(ControlInterface &control);
	// -1 for a bad index or an unknown control.
	int erase(int index);
	int erase(ControlInterface &control);
	int get_nbr_controls() const { return static_cast<int>(_controls.size()); }
	ControlInterface *use_control(int index) const;
	// Asks for a repaint of every control.
	void invalidate();

	void refresh_coord(const Coord2D &origin) override;

protected:
	int do_send_message(MessageInterface &msg) override;

private:
	std::vector<ControlInterface *> _controls;
	bool _structure_changed = false;
};

} // namespace skane
