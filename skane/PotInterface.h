// Base of the continuous controls (knobs and faders): graduation and
// selection pictures, a notch list, and the gesture shared by both — a
// press starts dragging or attracting, the release lets the value settle at
// priority 50 on the timer until nothing moves, then the gesture stops.
#pragma once

#include "skane/ControlInterface.h"
#include "skane/PotBehaviour.h"

#include <vector>

namespace skane
{

class PotInterface : public ControlInterface
{
public:
	PotInterface();
	PotInterface(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size);

	virtual void set_graduation_pic(const Picture &pic);
	virtual void remove_graduation_pic();
	virtual void set_selection_pic(const Picture &pic);
	virtual void remove_selection_pic();
	// The pot keeps a copy; the value then rests on the nearest notch.
	virtual void set_notch_list(std::vector<double> &notches);
	virtual void remove_notch_list();

	void stop_user_action() override;
	const PotBehaviour &get_pot_behaviour() const { return _pot; }

protected:
	int notify(Notify &msg) override;
	int mouse_capture_lost(MouseCaptureLost &msg) override;
	void do_activate(bool) override { invalidate_all(); }

	// Whether a press may start a gesture (idle or released, enabled).
	bool can_start_gesture() const;
	// Common start of a press: ends the previous gesture, holds the button.
	void begin_press();
	// Common release; true when there was a gesture to release.
	bool end_press();
	bool is_dragging() const { return _pot.get_mode() == PotBehaviour::Mode_DRAGGING && !_released; }

	PotBehaviour _pot;
	Picture _graduation;
	Picture _selection;
	std::vector<double> _notches;
	double _side_speed_in_use = 0.0;
	bool _released = false;
	bool _held = false;
};

} // namespace skane
