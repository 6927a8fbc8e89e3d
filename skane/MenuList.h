// An ordered list of menu nodes (not owned): the root of a menu, or a
// submenu titled with its label.
#pragma once

#include "skane/MenuNodeInterface.h"

#include <vector>

namespace skane
{

class MenuList : public MenuNodeInterface
{
public:
	explicit MenuList(const std::string &label = std::string()) : MenuNodeInterface(label) {}

	void push_back(MenuNodeInterface &node) { _nodes.push_back(&node); }
	// index is clamped to [0, size].
	void insert(MenuNodeInterface &node, int index);
	// Nothing for a bad index.
	void erase(int index);
	// Null for a bad index.
	MenuNodeInterface *use_node(int index) const;
	int size() const { return static_cast<int>(_nodes.size()); }

private:
	std::vector<MenuNodeInterface *> _nodes;
};

} // namespace skane
