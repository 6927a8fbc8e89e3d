// Node of the window's two layout trees. Up-messages climb to the father
// (the split above, finally the window); down-messages are distributed by
// do_send_message. Every node class derives virtually from this one.
#pragma once

#include "skane/Coord2D.h"
#include "skane/MessageHandlerInterface.h"
#include "skane/Rect.h"

namespace skane
{

class SPTreeNodeInterface : public MessageHandlerInterface
{
public:
	// Up-messages go to the father (-1 without one). A ShowObject first sets
	// the shown flag; then do_send_message runs.
	int send_message(MessageInterface &msg) override;
	// Stores the absolute origin and places the children from it.
	virtual void refresh_coord(const Coord2D &origin);
	// Places the children again from the present origin.
	void refresh_child_coord() { refresh_coord(_origin); }

	void set_area(const Rect &area) { _area = area; }
	const Rect &get_area() const { return _area; }
	const Coord2D &get_coord2D() const { return _origin; }
	void set_father(MessageHandlerInterface *father) { _father = father; }
	MessageHandlerInterface *get_father() const { return _father; }
	void set_show_flag(bool shown);
	bool is_shown() const { return _shown; }
	// Asks the window to repaint the node's area (moved to its origin).
	void invalidate_all();

protected:
	virtual void do_set_show_flag() {}
	virtual int do_send_message(MessageInterface &msg) = 0;

private:
	Rect _area;
	Coord2D _origin;
	MessageHandlerInterface *_father = nullptr;
	bool _shown = true;
};

} // namespace skane
