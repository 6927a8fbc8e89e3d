// A momentary button: a press sends custom event 0 and plays the press
// animation (position 0 -> 1 -> 0 over the transition time) without
// changing the value.
#pragma once

#include "skane/ButtonFrames.h"
#include "skane/ControlInterface.h"

namespace skane
{

class PushButton : public ControlInterface
{
public:
	using ButtonFrame = ButtonFrames::ButtonFrame;

	PushButton() = default;
	PushButton(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	ControlInterface(pos, listener, value, size)
	{
	}

	void set_transition_time(double t) { _transition_time = t; }
	void set_nbr_button_frames(int nbr) { _frames.set_nbr_frames(nbr); }
	void set_button_pic(int index, const Picture &pic) { _frames.set_pic(index, pic); }
	void remove_button_pic(int index) { _frames.remove_pic(index); }
	void set_selection_pic(const Picture &pic) { _selection = pic; }
	void remove_selection_pic() { _selection = Picture(); }
	void set_graduation_pic(const Picture &pic) { _graduation = pic; }
	void remove_graduation_pic() { _graduation = Picture(); }

	// 0 = up, 1 = fully down.
	double get_anim_pos() const { return _anim_pos; }

	void stop_user_action() override;

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int notify(Notify &msg) override;

	// Draws the frames at an animation position.
	void draw_frames(Redraw &rd, double position);
	int start_anim_timer();
	void clear_anim_timer();

	ButtonFrames _frames;
	Picture _selection;
	Picture _graduation;
	double _transition_time = 0.1;
	double _anim_pos = 0.0;
	double _start_time = 0.0;
	int _timer_id = -1;
};

} // namespace skane
