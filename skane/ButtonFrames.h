// The film strip of a push button or flip-flop: a position in [0, 1] picks
// frames across the strip (0 = first frame, 1 = last), blending the next
// frame in for positions between two frames.
#pragma once

#include "basic/DynArray.h"
#include "skane/Picture.h"

namespace skane
{

class ButtonFrames
{
public:
	struct ButtonFrame
	{
		Picture pic;
		bool set = false;
	};

	void set_nbr_frames(int nbr);
	int get_nbr_frames() const { return static_cast<int>(_frames.size()); }
	void set_pic(int index, const Picture &pic);
	void remove_pic(int index);
	const ButtonFrame *get(int index) const;

	// Frame shown at a position, and the weight of the next frame.
	void select(double position, int &index, float &next_weight) const;

private:
	basic::DynArray<ButtonFrame> _frames;
};

} // namespace skane
