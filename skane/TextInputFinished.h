// The edited text, sent straight to the requesting handler when the editor
// stops.
#pragma once

#include "skane/KeyboardMessage.h"
#include "skane/MessageDown.h"

#include <string>

namespace skane
{

class TextInputFinished : public MessageDown, public KeyboardMessage
{
public:
	TextInputFinished(const std::string &text, bool validated) : MessageDown(Rect()), _text(text), _validated(validated) {}
	const std::string &get_text() const { return _text; }
	bool is_validated() const { return _validated; }

private:
	std::string _text;
	bool _validated;
};

} // namespace skane
