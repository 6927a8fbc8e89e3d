// The platform-free half of a window back end: carries out the up-messages
// that reach the window (invalidation, capture and release, timers, text
// input, menus) and turns the platform's pointer, timer and draw events into
// toolkit messages, aimed at the mouse capturer or the control-group root.
// Under a relative capture (type 2) positions become offsets from the
// capture origin, the pointer is put back there, and a move by (0, 0) is
// not sent. A back end implements the few platform primitives below.
#pragma once

#include "skane/MouseState.h"
#include "skane/WindowInterface.h"

namespace skane
{

class MessageDown;

class WindowBase : public WindowInterface
{
public:
	explicit WindowBase(const Coord2D &size) : WindowInterface(size) {}

	// Up-messages only, and only while the view exists; else -1.
	int send_message(MessageInterface &msg) override;

	// Platform events, on the window thread. Positions in window pixels.
	int process_mouse_down(const Coord2D &pos, MouseState buttons, AltKeys alt_keys, int clicks);
	int process_mouse_moved(const Coord2D &pos, MouseState buttons, AltKeys alt_keys);
	int process_mouse_up(const Coord2D &pos, AltKeys alt_keys);
	// Sends Notify(id, now) to the component registered for the id.
	int process_timer_tick(int id);
	// Repaints a damaged region (exclusive right and bottom).
	void process_draw(const Rect &zone) { split_redraw(zone); }

	// Timer period in microseconds: floor(0.5 + delay * 1 000 000).
	static long long delay_to_us(float delay);

protected:
	virtual bool is_view_open() const = 0;
	// Schedules a repaint of zone (already inside the window).
	virtual void do_invalidate(const Rect &zone) = 0;
	virtual Coord2D do_get_pointer_pos() = 0;
	virtual void do_show_pointer(bool shown) = 0;
	virtual void do_warp_pointer(const Coord2D &pos) = 0;
	// Starts a periodic timer; 0 or -1.
	virtual int do_start_timer(int id, long long period_us) = 0;
	virtual void do_stop_timer(int id) = 0;

private:
	int deliver(MessageDown &msg);
	// The position as sent to the controls: the offset from the origin
	// under a relative capture (the pointer is then put back).
	Coord2D map_pos(const Coord2D &pos);
	bool relative_capture() const;

	Coord2D _last_pos;
	MouseState _last_buttons = 0;
	bool _pointer_hidden = false;
};

} // namespace skane
