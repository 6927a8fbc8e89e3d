#include "skane/TextBox.h"

#include "skane/MouseClick.h"
#include "skane/Redraw.h"
#include "skane/TextInputFinished.h"
#include "skane/TextInputRequest.h"
#include "skane/TextInputStop.h"

namespace skane
{

void TextBox::set_text(const char *text)
{
	_frame.set_text(text != nullptr ? text : "");
	refresh_display();
}

Rect TextBox::get_text_zone() const
{
	const Coord2D tl = get_coord() - _text_hot;
	return Rect(tl, tl + _frame.get_size());
}

void TextBox::stop_user_action()
{
	if (!_editing)
		return;
	TextInputStop stop(false);
	send_message(stop);
	_editing = false;
}

int TextBox::mouse_click(MouseClick &msg)
{
	if (msg.get_state() == 0 || _editing || !is_enable())
		return 0;
	if (!_editable)
	{
		send_custom_event(CustomEvent_TEXT_BOX_CLICKED, nullptr);
		return 0;
	}
	stop_user_action();
	TextInputRequest req(*this, _frame.get_text(), get_text_zone(), _legend);
	if (send_message(req) == 0)
		_editing = true;
	return 0;
}

int TextBox::text_input_finished(TextInputFinished &msg)
{
	const bool was_editing = _editing;
	_editing = false;
	if (was_editing && msg.is_validated())
	{
		_frame.set_text(msg.get_text());
		send_custom_event(CustomEvent_TEXT_ENTERED, nullptr);
		refresh_display();
	}
	return 0;
}

int TextBox::redraw(Redraw &rd)
{
	if (_background.is_set())
		draw_pic(rd, _background);
	if (_font)
		_font->print(rd.get_dest_rect() - (get_coord() - _text_hot), rd.get_rend_buf_ref(), _frame);
	if (_mask.is_set())
		draw_pic(rd, _mask);
	redraw_top_layer(rd);
	return 0;
}

} // namespace skane
