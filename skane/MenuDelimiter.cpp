#include "skane/MenuDelimiter.h"

namespace skane
{

std::string MenuDelimiter::get_rule_text() const
{
	const std::string &label = get_label();
	if (label.empty())
		return std::string();
	std::string text = "--- ";
	if (label.size() >= RULE_LEN - 4)
		return text + label.substr(0, MAX_TITLE_LEN);
	text += label;
	text += ' ';
	text.append(RULE_LEN - text.size(), '-');
	return text;
}

} // namespace skane
