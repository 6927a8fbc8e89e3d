#include "skane/WindowInterface.h"

#include "skane/BackgroundNodeInterface.h"
#include "skane/CtrlGroupNodeInterface.h"
#include "skane/Menu.h"
#include "skane/MouseCaptureLost.h"
#include "skane/Redraw.h"
#include "skane/RenderingBufferInterface.h"
#include "skane/ShowObject.h"
#include "skane/TextInputFinished.h"
#include "skane/TextLineEditorInterface.h"

#include <algorithm>

namespace skane
{

WindowInterface::WindowInterface(const Coord2D &size)
:	_size(size)
,	_max_size(size)
{
}

void WindowInterface::set_background_root(BackgroundNodeInterface &root)
{
	_bkg_root = &root;
	root.set_father(this);
}

void WindowInterface::set_ctrl_group_root(CtrlGroupNodeInterface &root)
{
	_ctrl_root = &root;
	root.set_father(this);
}

int WindowInterface::open(void *parent)
{
	const int ret = do_open(parent);
	if (ret == 0)
	{
		if (_bkg_root != nullptr)
		{
			ShowObject show(MessageDown::BROADCAST, true);
			_bkg_root->send_message(show);
		}
		if (_ctrl_root != nullptr)
		{
			ShowObject show(MessageDown::BROADCAST, true);
			_ctrl_root->send_message(show);
		}
	}
	return ret;
}

void WindowInterface::close()
{
	if (_ctrl_root != nullptr)
	{
		ShowObject hide(MessageDown::BROADCAST, false);
		_ctrl_root->send_message(hide);
	}
	if (_bkg_root != nullptr)
	{
		ShowObject hide(MessageDown::BROADCAST, false);
		_bkg_root->send_message(hide);
	}
	// A capture does not outlive the window.
	release_mouse();
	do_close();
}

void WindowInterface::set_size(const Coord2D &size)
{
	_size = size;
	resize();
}

void WindowInterface::split_redraw(const Rect &region)
{
	if (_rd_buf == nullptr)
		return;
	const int w = _rd_buf->get_size().x;
	const int h = _rd_buf->get_size().y;
	if (w <= 0 || h <= 0)
		return;
	for (long long x = region.x0; x < region.x1; x += w)
	{
		for (long long y = region.y0; y < region.y1; y += h)
		{
			const Rect tile(int(x), int(y), int(std::min<long long>(x + w, region.x1)),
				int(std::min<long long>(y + h, region.y1)));
			if (_bkg_root != nullptr)
			{
				Redraw rd(*_rd_buf, tile);
				_bkg_root->send_message(rd);
			}
			if (_ctrl_root != nullptr)
			{
				Redraw rd(*_rd_buf, tile);
				_ctrl_root->send_message(rd);
			}
			_rd_buf->blit(tile.get_tl(), tile.get_size());
		}
	}
}

void WindowInterface::capture_mouse(MessageHandlerInterface &target, MouseCapture::TrackingType type,
	const Coord2D *origin)
{
	if (_capturer == &target)
		return;
	release_mouse();
	_capturer = &target;
	_capture_type = type;
	_capture_origin = (type == MouseCapture::TrackingType_RELATIVE && origin != nullptr) ? *origin : Coord2D();
}

void WindowInterface::release_mouse()
{
	MessageHandlerInterface *former = _capturer;
	_capturer = nullptr;
	if (former != nullptr)
	{
		MouseCaptureLost lost;
		former->send_message(lost);
	}
}

void WindowInterface::set_timer(int id, MessageHandlerInterface &target)
{
	_timers[id] = &target;
}

int WindowInterface::clear_timer(int id)
{
	return _timers.erase(id) > 0 ? 0 : -1;
}

MessageHandlerInterface *WindowInterface::get_component_with_timer_id(int id) const
{
	const auto it = _timers.find(id);
	return it == _timers.end() ? nullptr : it->second;
}

void WindowInterface::set_text_line_editor(TextLineEditorInterface *editor)
{
	_text_editor = editor;
	if (editor != nullptr)
		editor->set_window(*this);
}

void WindowInterface::text_line_editor_finished()
{
	if (_ctrl_root == nullptr || _text_editor == nullptr || _text_editor->get_target() == nullptr)
		return;
	TextInputFinished fin(_text_editor->get_text(), _text_editor->is_validated());
	_text_editor->get_target()->send_message(fin);
}

void WindowInterface::set_menu(Menu *menu)
{
	_menu = menu;
	if (menu != nullptr)
		menu->set_window(this);
}

} // namespace skane
