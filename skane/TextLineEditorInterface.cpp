#include "skane/TextLineEditorInterface.h"

#include "skane/WindowInterface.h"

namespace skane
{

int TextLineEditorInterface::begin(const TextInputRequest &request)
{
	_text = request.get_text();
	_target = &request.get_target();
	_validated = false;
	return do_begin(request);
}

int TextLineEditorInterface::stop()
{
	const int ret = do_stop();
	if (_window != nullptr)
		_window->text_line_editor_finished();
	return ret;
}

} // namespace skane
