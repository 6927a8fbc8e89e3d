// A stepping control: up and down buttons step the value (one quick step at
// the press, repeated on a timer that speeds up the longer the button is
// held), and the centre handle drags it (mouse step per pixel upwards).
#pragma once

#include "skane/ControlInterface.h"

namespace skane
{

class Spin : public ControlInterface
{
public:
	enum ButtonState
	{
		ButtonState_UP = 1,
		ButtonState_DOWN = 2,
		ButtonState_HANDLE = 4
	};

	Spin() = default;
	Spin(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	ControlInterface(pos, listener, value, size)
	{
	}

	// Each button has a released and a pressed picture.
	void set_up_button_pic(const Picture &released, const Picture &pressed);
	void remove_up_button_pic();
	void set_down_button_pic(const Picture &released, const Picture &pressed);
	void remove_down_button_pic();
	void set_handle_pic(const Picture &released, const Picture &pressed);
	void remove_handle_pic();
	void set_selection_pic(const Picture &pic) { _selection = pic; }
	void remove_selection_pic() { _selection = Picture(); }
	void set_graduation_pic(const Picture &pic) { _graduation = pic; }
	void remove_graduation_pic() { _graduation = Picture(); }
	void set_handle_on_top(bool flag) { _handle_on_top = flag; }

	void set_be_in_quick_mode_time(double t) { _quick_mode_time = t; }
	void set_be_in_very_quick_mode_time(double t) { _very_quick_mode_time = t; }
	void set_quick_repeat_time(double t) { _quick_repeat_time = t; }
	void set_very_quick_repeat_time(double t) { _very_quick_repeat_time = t; }
	void set_mouse_step(double step) { _mouse_step = step; }
	void set_quick_step(double step) { _quick_step = step; }
	void set_very_quick_step(double step) { _very_quick_step = step; }

	int get_button_state() const { return _button_state; }
	int get_repeat_phase() const { return _phase; }

	void stop_user_action() override;

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int mouse_move(MouseMove &msg) override;
	int mouse_capture_lost(MouseCaptureLost &msg) override;
	int notify(Notify &msg) override;

private:
	struct Button
	{
		Picture released;
		Picture pressed;
	};

	void step(double delta);
	int start_timer(double delay);
	void clear_timer_if_any();
	void draw_button(Redraw &rd, const Button &b, bool pressed);

	Button _up;
	Button _down;
	Button _handle;
	Picture _selection;
	Picture _graduation;
	bool _handle_on_top = true;
	double _quick_mode_time = 0.5;
	double _very_quick_mode_time = 2.0;
	double _quick_repeat_time = 0.1;
	double _very_quick_repeat_time = 0.03;
	double _mouse_step = 1.0 / 180;
	double _quick_step = 0.001;
	double _very_quick_step = 0.005;
	double _press_time = 0.0;
	int _timer_id = -1;
	int _button_state = 0;
	int _phase = 0;
	bool _rearmed = false;
	bool _captured = false;
	bool _first_move = false;
	bool _relative = false;
	Coord2D _click_pos;
	int _last_y = 0;
};

} // namespace skane
