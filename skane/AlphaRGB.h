// One pixel of the rendering buffer and of 24-bit picture data: blue, green,
// red, then a fourth byte (alpha in 24-bit alpha pictures; copied unchanged
// by opaque copies, never written by blends).
#pragma once

#include <cstdint>

namespace skane
{

struct AlphaRGB
{
	std::uint8_t b;
	std::uint8_t g;
	std::uint8_t r;
	std::uint8_t a;

	bool operator==(const AlphaRGB &o) const = default;

	// From 0xRRGGBB; the fourth byte is 0.
	static constexpr AlphaRGB from_rgb(long rgb)
	{
		return AlphaRGB{std::uint8_t(rgb & 0xFF), std::uint8_t((rgb >> 8) & 0xFF), std::uint8_t((rgb >> 16) & 0xFF), 0};
	}
};

static_assert(sizeof(AlphaRGB) == 4 && alignof(AlphaRGB) == 1);

} // namespace skane
