// Rendering buffer with guard pixels before and after its rows, to catch a
// blit that writes outside the buffer.
#pragma once

#include "skane/RenderingBufferInterface.h"

#include <cstddef>
#include <vector>

namespace skane_test
{

class GuardedBuffer : public skane::RenderingBufferInterface
{
public:
	static constexpr int GUARD = 64;
	static constexpr skane::AlphaRGB GUARD_PIX{0xA5, 0x5A, 0xC3, 0x3C};

	GuardedBuffer(int w, int h, skane::AlphaRGB fill = {0, 0, 0, 0})
	:	RenderingBufferInterface(skane::Coord2D(w, h))
	,	_pix(static_cast<std::size_t>(w) * h + 2 * GUARD, fill)
	{
		for (int i = 0; i < GUARD; ++i)
		{
			_pix[i] = GUARD_PIX;
			_pix[_pix.size() - 1 - i] = GUARD_PIX;
		}
	}

	skane::AlphaRGB *get_data_ptr() override { return _pix.data() + GUARD; }
	int blit(const skane::Coord2D &, const skane::Coord2D &) override { return 0; }
	void fill_buffer(skane::AlphaRGB colour, int) override
	{
		for (std::size_t i = GUARD; i < _pix.size() - GUARD; ++i)
			_pix[i] = colour;
	}

	skane::AlphaRGB &at(int x, int y) { return _pix[GUARD + static_cast<std::size_t>(y) * get_size().x + x]; }
	bool guards_intact() const
	{
		for (int i = 0; i < GUARD; ++i)
			if (!(_pix[i] == GUARD_PIX) || !(_pix[_pix.size() - 1 - i] == GUARD_PIX))
				return false;
		return true;
	}
	int count_not(skane::AlphaRGB v)
	{
		int n = 0;
		for (int y = 0; y < get_size().y; ++y)
			for (int x = 0; x < get_size().x; ++x)
				n += !(at(x, y) == v);
		return n;
	}

private:
	std::vector<skane::AlphaRGB> _pix;
};

} // namespace skane_test
