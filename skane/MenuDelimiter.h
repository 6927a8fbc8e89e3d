// A separator in a menu; a label makes it a section title.
#pragma once

#include "skane/MenuNodeInterface.h"

namespace skane
{

class MenuDelimiter : public MenuNodeInterface
{
public:
	enum
	{
		RULE_LEN = 40,
		MAX_TITLE_LEN = 123
	};

	explicit MenuDelimiter(const std::string &label = std::string()) : MenuNodeInterface(label) {}

	// Text of the disabled entry that shows a titled delimiter: "--- ",
	// the label, " " and dashes up to 40 characters; a label of 36
	// characters or more gives "--- " and at most 123 characters of it.
	// Empty for an untitled delimiter (a separator line).
	std::string get_rule_text() const;
};

} // namespace skane
