// Turns mouse motion into a pot's value (knobs and faders). Dragging moves
// a target with the motion along the primary axis (or, once the motion
// turns to the secondary axis, scaled by the xy rate), snaps it to notches,
// and lets the displayed value follow the target with a time constant of
// about 1/(6 pi) s on each move and timer tick. Attracting (a click beside
// the handle) moves the value at a speed that ramps up, or that the user
// sets by dragging sideways. "now" comes from the caller
// (sys::get_time_stamp). Captures and timers go up through the control.
#pragma once

#include "skane/Coord2D.h"

#include <vector>

namespace skane
{

class ControlInterface;

class PotBehaviour
{
public:
	enum Mode
	{
		Mode_IDLE = 0,
		Mode_DRAGGING = 1,
		Mode_ATTRACTING = 2
	};

	explicit PotBehaviour(ControlInterface &control);
	PotBehaviour(const PotBehaviour &) = delete;
	PotBehaviour &operator=(const PotBehaviour &) = delete;

	// Capture (relative in enhanced mouse mode, plain in compatible mode)
	// and a 0.03 s timer; 0, or the failing code after stop().
	int start_dragging(double value);
	// Plain capture and a 0.03 s timer.
	int start_attracting(double value);
	// One mouse move: d_primary / d_secondary are deltas (enhanced mode) or
	// absolute positions (compatible mode); pixels is the travel of the
	// whole range.
	void drag_record_mouse_move(int d_primary, int d_secondary, int pixels, double xy_rate);
	// Moves value toward the snapped target.
	void drag(double &value, double now);
	// Moves value at the attraction speed, which ramps toward speed.
	void attract(double &value, double now, double speed);
	void attract_set_uniform_mvt() { _uniform = true; }
	bool is_attract_mvt_uniform() const { return _uniform; }
	// Moves the raw target by delta (with the reversal rule at the ends).
	void drag_move_target_val(double delta);
	void drag_set_target_val(double val);
	// Snapped value for raw given the previous snapped value: a notch wins
	// only when it is more than three times nearer than previous.
	double find_nearest_notch(double raw, double previous) const;

	void stop();
	void stop_mouse_capture();
	void mouse_capture_lost() { _captured = false; }
	// Where the pointer reappears after a relative capture, relative to
	// the control's position.
	void set_mouse_release_pos(const Coord2D &pos) { _release_pos = pos; }
	const Coord2D &get_mouse_release_pos() const { return _release_pos; }
	// Not owned; must outlive its use.
	void set_notch_list(const std::vector<double> &notches) { _notches = &notches; }
	void remove_notch_list() { _notches = nullptr; }

	double get_final_val() const { return _snapped_target; }
	double get_raw_target() const { return _raw_target; }
	int get_timer_id() const { return _timer_id; }
	bool is_moving() const { return _moving; }
	int get_mode() const { return _mode; }
	bool is_captured() const { return _captured; }
	double get_attraction_speed() const { return _attraction_speed; }

	static constexpr float TIMER_DELAY = 0.03f;

private:
	int start(int mode, int tracking_type, double value);
	void update_snapped();

	double _last_distance = 0.0;
	double _raw_target = 0.0;
	double _snapped_target = 0.0;
	int _axis_mode = 0;
	float _smooth_primary = 1.0f;
	float _smooth_secondary = 0.0f;
	int _secondary_travel = 0;
	bool _first_move = true;
	int _last_abs[2] = {0, 0};
	double _attraction_speed = 0.0;
	bool _uniform = false;
	double _last_time = 0.0;
	const std::vector<double> *_notches = nullptr;
	ControlInterface &_control;
	Coord2D _release_pos;
	int _timer_id = -1;
	int _mode = Mode_IDLE;
	bool _captured = false;
	bool _moving = false;
	bool _compatible = false;
};

} // namespace skane
