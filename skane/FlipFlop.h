// A two-state switch: a press flips the value between 0 and 1 and animates
// the look from one state to the other over the transition time (none by
// default). With the undirect-animation flag the frames always play from
// the first to the last, whichever way the switch goes.
#pragma once

#include "skane/PushButton.h"

namespace skane
{

class FlipFlop : public PushButton
{
public:
	FlipFlop() { set_transition_time(0.0); }
	FlipFlop(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	PushButton(pos, listener, value, size)
	{
		set_transition_time(0.0);
	}

	void set_undirect_anim_flag(bool flag) { _undirect = flag; }
	bool is_animating() const { return _timer_id >= 0; }

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int notify(Notify &msg) override;

private:
	bool _undirect = false;
};

} // namespace skane
