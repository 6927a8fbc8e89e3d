// The one-line text field a window opens for a TextInputRequest. A back end
// shows and edits it (do_begin / do_stop); stopping reports the text to the
// requesting handler through the window.
#pragma once

#include "skane/TextInputRequest.h"

#include <string>

namespace skane
{

class MessageHandlerInterface;
class WindowInterface;

class TextLineEditorInterface
{
public:
	virtual ~TextLineEditorInterface() = default;

	void set_window(WindowInterface &window) { _window = &window; }
	WindowInterface *use_window() const { return _window; }

	// text := request text, target := request target, then do_begin.
	int begin(const TextInputRequest &request);
	// do_stop, then the window's text_line_editor_finished; do_stop's result.
	int stop();

	void run(bool running) { _running = running; }
	bool is_running() const { return _running; }
	void validate(bool validated) { _validated = validated; }
	bool is_validated() const { return _validated; }
	void set_text(const std::string &text) { _text = text; }
	const std::string &get_text() const { return _text; }
	void set_target(MessageHandlerInterface *target) { _target = target; }
	MessageHandlerInterface *get_target() const { return _target; }

protected:
	virtual int do_begin(const TextInputRequest &request) = 0;
	virtual int do_stop() = 0;

private:
	WindowInterface *_window = nullptr;
	MessageHandlerInterface *_target = nullptr;
	std::string _text;
	bool _validated = false;
	bool _running = false;
};

} // namespace skane
