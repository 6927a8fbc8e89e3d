// A rotary pot. Dragging upwards raises the value (height pixels for the
// whole range); horizontal motion counts at the xy rate once it dominates.
// A press in the lower-left or lower-right corner triangle of the knob
// moves the value down or up at the side-click speed until the release.
// The value maps to the angle theta = (value * span + base) turns
// (counter-clockwise, 0 = right); the button frames show the face at that
// angle (a film strip, optionally turned the remaining fraction), the spot
// sits at radius along theta.
#pragma once

#include "basic/DynArray.h"
#include "skane/PotInterface.h"

namespace skane
{

class Knob : public PotInterface
{
public:
	struct ButtonFrame
	{
		Picture pic;
		bool set = false;
	};

	Knob() = default;
	Knob(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	PotInterface(pos, listener, value, size)
	{
	}

	void set_angles(float base, float span);
	void set_radius(float radius) { _radius = radius; }
	void set_height(int height) { _height = height; }
	void set_xy_rate(float rate) { _xy_rate = rate; }
	void set_side_click_speed(float speed) { _side_click_speed = speed; }
	void set_spot_pic(const Picture &pic) { _spot = pic; }
	void set_spot_shadow_pic(const Picture &pic) { _spot_shadow = pic; }
	void remove_spot_shadow_pic() { _spot_shadow = Picture(); }
	void set_spot_shadow_offset(float x, float y);
	void set_rotating_spot_flag(bool flag) { _rotating_spot = flag; }
	void set_arrow_pic(const Picture &pic) { _arrow = pic; }
	void remove_arrow_pic() { _arrow = Picture(); }
	void set_nbr_button_frames(int nbr);
	void set_button_pic(int index, const Picture &pic);
	void remove_button_pic(int index);
	void set_button_angle_base(float base) { _button_angle_base = base; }
	void set_button_angle_per(float per) { _button_angle_per = per; }
	void set_rotating_button_flag(bool flag) { _rotating_button = flag; }

	// Angle of a value in radians.
	double get_angle(double value) const;
	// Frame index and extra rotation (radians) that show a value.
	void get_button_frame(double value, int &index, double &rotation) const;

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int mouse_move(MouseMove &msg) override;

private:
	Rect get_ref_rect() const;

	Picture _spot;
	Picture _spot_shadow;
	Picture _arrow;
	basic::DynArray<ButtonFrame> _frames;
	float _button_angle_base = 0.0f;
	float _button_angle_per = 1.0f;
	int _nbr_frames = 0;
	float _xy_rate = 0.0f;
	float _angle_base = 0.625f;
	float _angle_span = -0.75f;
	float _radius = 0.0f;
	float _side_click_speed = 1.0f;
	float _shadow_dx = 0.0f;
	float _shadow_dy = 0.0f;
	int _height = 200;
	bool _rotating_spot = false;
	bool _rotating_button = false;
	Coord2D _click_pos;
};

} // namespace skane
