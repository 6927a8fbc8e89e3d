// Reference-counted owning pointer: parameters, picture data and fonts are
// held this way. The count is atomic, so copies may live on several threads.
#pragma once

#include <memory>

namespace basic
{

template <class T>
using SharedPtr = std::shared_ptr<T>;

} // namespace basic
