// Test utility: a window back end without a window system. It runs the
// shared platform-free window code (WindowBase) over an in-memory pointer,
// an in-memory timer service driven by TestClock, and a log of the
// up-messages that reach the window. Tests drive it with the process_*
// events and advance(); the rendering buffer is any RenderingBufferInterface
// (usually a MemoryRenderingBuffer).
#pragma once

#include "skane/WindowBase.h"

#include <map>
#include <string>
#include <vector>

namespace skane
{

class TestWindow : public WindowBase
{
public:
	struct TimerRec
	{
		long long period_us;
		double start;
		long long count;   // ticks fired so far
		double next() const { return start + static_cast<double>((count + 1) * period_us) / 1e6; }
	};

	explicit TestWindow(const Coord2D &size) : WindowBase(size) {}

	// Logs each up-message ("Invalidate 0 0 10 10", "MouseCapture 2",
	// "SetTimer 33300", ...) with its result, then carries it out.
	int send_message(MessageInterface &msg) override;

	// Moves the clock by dt, firing every timer tick that falls due, in
	// time order (ties by id).
	void advance(double dt);
	// Repaints the union of the zones invalidated since the last flush.
	void flush_redraw();

	// Where the platform pointer is (tests set it before a capture).
	void set_pointer_pos(const Coord2D &pos) { _pointer = pos; }
	const Coord2D &get_pointer_pos() const { return _pointer; }
	bool is_pointer_shown() const { return _pointer_shown; }
	const std::vector<Coord2D> &get_warps() const { return _warps; }
	const std::map<int, TimerRec> &get_running_timers() const { return _running; }
	const std::vector<std::string> &get_log() const { return _log; }
	void clear_log() { _log.clear(); }
	const Rect &get_damage() const { return _damage; }
	// Makes the next timer starts fail (or succeed again).
	void fail_timers(bool fail) { _fail_timers = fail; }

protected:
	int do_open(void *) override { _open = true; return 0; }
	void do_close() override { _open = false; }
	bool is_view_open() const override { return _open; }
	void do_invalidate(const Rect &zone) override;
	Coord2D do_get_pointer_pos() override { return _pointer; }
	void do_show_pointer(bool shown) override { _pointer_shown = shown; }
	void do_warp_pointer(const Coord2D &pos) override;
	int do_start_timer(int id, long long period_us) override;
	void do_stop_timer(int id) override { _running.erase(id); }

private:
	bool _open = false;
	Coord2D _pointer;
	bool _pointer_shown = true;
	std::vector<Coord2D> _warps;
	std::map<int, TimerRec> _running;
	std::vector<std::string> _log;
	Rect _damage;
	bool _fail_timers = false;
};

} // namespace skane
