// Fixed array of N elements.
#pragma once

#include <array>

namespace basic
{

template <class T, std::size_t N>
using Array = std::array<T, N>;

} // namespace basic
