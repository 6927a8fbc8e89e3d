#include "skane/MenuList.h"

#include <algorithm>

namespace skane
{

void MenuList::insert(MenuNodeInterface &node, int index)
{
	index = std::clamp(index, 0, size());
	_nodes.insert(_nodes.begin() + index, &node);
}

void MenuList::erase(int index)
{
	if (index >= 0 && index < size())
		_nodes.erase(_nodes.begin() + index);
}

MenuNodeInterface *MenuList::use_node(int index) const
{
	return (index >= 0 && index < size()) ? _nodes[index] : nullptr;
}

} // namespace skane
