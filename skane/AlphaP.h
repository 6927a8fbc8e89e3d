// One pixel of 8-bit alpha picture data: a palette index, then the alpha
// (0 transparent, 255 opaque).
#pragma once

#include <cstdint>

namespace skane
{

struct AlphaP
{
	std::uint8_t index;
	std::uint8_t alpha;
};

static_assert(sizeof(AlphaP) == 2 && alignof(AlphaP) == 1);

} // namespace skane
