#include "skane/ButtonFrames.h"

#include <algorithm>
#include <cmath>

namespace skane
{

void ButtonFrames::set_nbr_frames(int nbr)
{
	_frames.resize(std::max(nbr, 0));
}

void ButtonFrames::set_pic(int index, const Picture &pic)
{
	if (index >= 0 && index < get_nbr_frames())
		_frames[index] = ButtonFrame{pic, true};
}

void ButtonFrames::remove_pic(int index)
{
	if (index >= 0 && index < get_nbr_frames())
		_frames[index] = ButtonFrame();
}

const ButtonFrames::ButtonFrame *ButtonFrames::get(int index) const
{
	return (index >= 0 && index < get_nbr_frames()) ? &_frames[index] : nullptr;
}

void ButtonFrames::select(double position, int &index, float &next_weight) const
{
	const int n = get_nbr_frames();
	index = 0;
	next_weight = 0.0f;
	if (n <= 1 || !(position > 0.0))
		return;
	const double f = std::min(position, 1.0) * (n - 1);
	index = std::min(static_cast<int>(std::floor(f)), n - 1);
	next_weight = index < n - 1 ? static_cast<float>(f - index) : 0.0f;
}

} // namespace skane
