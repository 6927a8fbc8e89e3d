// A node of a menu tree: a label. Base of lists, items and delimiters.
#pragma once

#include <string>

namespace skane
{

class MenuNodeInterface
{
public:
	explicit MenuNodeInterface(const std::string &label = std::string()) : _label(label) {}
	virtual ~MenuNodeInterface() = default;
	MenuNodeInterface(const MenuNodeInterface &) = default;
	MenuNodeInterface &operator=(const MenuNodeInterface &) = default;

	void set_label(const std::string &label) { _label = label; }
	const std::string &get_label() const { return _label; }

private:
	std::string _label;
};

} // namespace skane
