// The toolkit's window, independent of the platform: the rendering buffer,
// the background and control-group trees, the mouse capture, the timer
// table, the text line editor and the menu. A back end supplies
// send_message (the up-messages reaching the window), do_open and do_close.
// Everything here runs on the window's thread.
#pragma once

#include "skane/Coord2D.h"
#include "skane/MessageHandlerInterface.h"
#include "skane/MouseCapture.h"
#include "skane/Rect.h"

#include <map>

namespace skane
{

class BackgroundNodeInterface;
class CtrlGroupNodeInterface;
class Menu;
class RenderingBufferInterface;
class TextLineEditorInterface;

class WindowInterface : public MessageHandlerInterface
{
public:
	using TimerList = std::map<int, MessageHandlerInterface *>;

	explicit WindowInterface(const Coord2D &size);
	~WindowInterface() override = default;
	WindowInterface(const WindowInterface &) = delete;
	WindowInterface &operator=(const WindowInterface &) = delete;

	void set_rd_buf(RenderingBufferInterface *buf) { _rd_buf = buf; }
	RenderingBufferInterface *get_rd_buf() const { return _rd_buf; }
	// Stores the root and makes this window its father.
	void set_background_root(BackgroundNodeInterface &root);
	void set_ctrl_group_root(CtrlGroupNodeInterface &root);
	BackgroundNodeInterface *get_background_root() const { return _bkg_root; }
	CtrlGroupNodeInterface *get_ctrl_group_root() const { return _ctrl_root; }

	// do_open; on success shows the background tree, then the controls.
	int open(void *parent);
	// Hides the controls, then the background, releases the mouse, then
	// do_close.
	void close();

	void set_size(const Coord2D &size);
	const Coord2D &get_size() const { return _size; }
	void set_max_size(const Coord2D &size) { _max_size = size; }
	const Coord2D &get_max_size() const { return _max_size; }
	void set_resize_flag(bool flag) { _resize_flag = flag; }
	bool can_resize() const { return _resize_flag; }

	// Paints a region tile by tile through the rendering buffer: tiles of
	// the buffer's size, column by column; each tile is redrawn by the
	// background tree, then the control tree, then blitted to the screen.
	void split_redraw(const Rect &region);

	// Nothing if target already holds the capture; otherwise the former
	// capturer is released (and told), then target, type and (for relative
	// tracking) the origin are recorded.
	void capture_mouse(MessageHandlerInterface &target, MouseCapture::TrackingType type, const Coord2D *origin);
	// Clears the capturer, then sends it MouseCaptureLost.
	void release_mouse();
	MessageHandlerInterface *get_mouse_capturer() const { return _capturer; }
	MouseCapture::TrackingType get_capture_type() const { return _capture_type; }
	const Coord2D &get_org_mouse_pos() const { return _capture_origin; }

	void set_timer(int id, MessageHandlerInterface &target);
	// 0, or -1 when the id is unknown.
	int clear_timer(int id);
	MessageHandlerInterface *get_component_with_timer_id(int id) const;
	const TimerList &get_timer_list() const { return _timers; }

	// Not owned; the editor learns its window.
	void set_text_line_editor(TextLineEditorInterface *editor);
	TextLineEditorInterface *use_text_line_editor() const { return _text_editor; }
	// Sends TextInputFinished to the editor's target (only while there is
	// a control-group root).
	void text_line_editor_finished();
	// Not owned; the menu learns its window.
	void set_menu(Menu *menu);
	Menu *use_menu() const { return _menu; }

protected:
	virtual int do_open(void *parent) = 0;
	virtual void do_close() = 0;
	virtual void resize() {}

private:
	bool _resize_flag = false;
	Coord2D _size;
	Coord2D _max_size;
	RenderingBufferInterface *_rd_buf = nullptr;
	BackgroundNodeInterface *_bkg_root = nullptr;
	CtrlGroupNodeInterface *_ctrl_root = nullptr;
	TimerList _timers;
	MessageHandlerInterface *_capturer = nullptr;
	MouseCapture::TrackingType _capture_type = MouseCapture::TrackingType_PLAIN;
	Coord2D _capture_origin;
	TextLineEditorInterface *_text_editor = nullptr;
	Menu *_menu = nullptr;
};

} // namespace skane
