// Asks the window to edit a text in a field over zone (window coordinates);
// the result comes back to target as TextInputFinished.
#pragma once

#include "skane/KeyboardMessage.h"
#include "skane/MessageUp.h"
#include "skane/Rect.h"

#include <string>

namespace skane
{

class MessageHandlerInterface;

class TextInputRequest : public MessageUp, public KeyboardMessage
{
public:
	TextInputRequest(MessageHandlerInterface &target, const std::string &text, const Rect &zone,
		const std::string &legend)
	:	_target(target), _text(text), _legend(legend), _zone(zone)
	{
	}
	MessageHandlerInterface &get_target() const { return _target; }
	const std::string &get_text() const { return _text; }
	const std::string &get_legend() const { return _legend; }
	const Rect &get_zone() const { return _zone; }

private:
	MessageHandlerInterface &_target;
	std::string _text;
	std::string _legend;
	Rect _zone;
};

} // namespace skane
