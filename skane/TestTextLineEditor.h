// Test utility: a text line editor without a window system. A test types
// into it with finish().
#pragma once

#include "skane/TextLineEditorInterface.h"

namespace skane
{

class TestTextLineEditor : public TextLineEditorInterface
{
public:
	// Sets the text and the validated flag, then stops the editor (which
	// reports to the requesting control).
	int finish(const std::string &text, bool validated)
	{
		set_text(text);
		validate(validated);
		return stop();
	}
	const Rect &get_zone() const { return _zone; }
	const std::string &get_legend() const { return _legend; }
	int get_nbr_begins() const { return _nbr_begins; }

protected:
	int do_begin(const TextInputRequest &request) override
	{
		_zone = request.get_zone();
		_legend = request.get_legend();
		++_nbr_begins;
		run(true);
		return 0;
	}
	int do_stop() override
	{
		run(false);
		return 0;
	}

private:
	Rect _zone;
	std::string _legend;
	int _nbr_begins = 0;
};

} // namespace skane
