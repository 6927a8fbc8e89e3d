// Stops the running text editor, validated or cancelled.
#pragma once

#include "skane/KeyboardMessage.h"
#include "skane/MessageUp.h"

namespace skane
{

class TextInputStop : public MessageUp, public KeyboardMessage
{
public:
	explicit TextInputStop(bool validated) : _validated(validated) {}
	bool is_validated() const { return _validated; }

private:
	bool _validated;
};

} // namespace skane
