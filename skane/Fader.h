// A linear pot. The button sits at value * amplitude along the travel
// (horizontal: from the left; vertical: 1 at the top). Pressing the button
// drags it; pressing beside it moves the value toward the press at a speed
// proportional to the distance.
#pragma once

#include "skane/PotInterface.h"

namespace skane
{

class Fader : public PotInterface
{
public:
	enum Direction
	{
		Direction_HORIZONTAL = 0,
		Direction_VERTICAL = 1
	};

	Fader() = default;
	Fader(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	PotInterface(pos, listener, value, size)
	{
	}

	// Also sets the along-axis and across-axis unit vectors.
	void set_direction(int direction);
	void set_amplitude(int amplitude) { _amplitude = amplitude; }
	// Pixels of mouse travel for the whole range; -1 uses the amplitude.
	void set_mouse_amp(int amp) { _mouse_amp = amp; }
	void set_xy_rate(float rate) { _xy_rate = rate; }
	void set_side_click_speed(float speed) { _side_click_speed = speed; }
	void set_button_pic(const Picture &pic) { _button = pic; }
	void set_arrow_pic(const Picture &pic) { _arrow = pic; }
	void remove_arrow_pic() { _arrow = Picture(); }
	void set_moving_selection_flag(bool flag) { _moving_selection = flag; }
	void set_selection_to_top(bool flag) { _selection_to_top = flag; }

	// Button position (relative to the control) for a value.
	void get_button_pos(double value, double &x, double &y) const;
	Coord2D get_rounded_button_pos() const;

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int mouse_move(MouseMove &msg) override;

private:
	int dot_along(const Coord2D &p) const { return p.x * _along.x + p.y * _along.y; }
	int dot_across(const Coord2D &p) const { return p.x * _across.x + p.y * _across.y; }
	void draw_selection(Redraw &rd, const Coord2D &button);

	Picture _button;
	Picture _arrow;
	float _xy_rate = 0.0f;
	float _side_click_speed = 0.0f;
	int _amplitude = 200;
	int _direction = Direction_HORIZONTAL;
	bool _moving_selection = false;
	bool _selection_to_top = false;
	int _mouse_amp = -1;
	Coord2D _along{1, 0};
	Coord2D _across{0, -1};
	Coord2D _click_pos;
};

} // namespace skane
