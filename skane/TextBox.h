// A line of text drawn with a bitmap font. A click on a non-editable box
// sends custom event 1; on an editable one it opens the window's text
// editor over the text frame, and a validated edit sets the text and sends
// custom event 2. A cancelled edit keeps the old text.
#pragma once

#include "basic/SharedPtr.h"
#include "skane/ControlInterface.h"
#include "skane/FontInterface.h"
#include "skane/TextFrame.h"

#include <string>

namespace skane
{

class TextBox : public ControlInterface
{
public:
	TextBox() = default;
	TextBox(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size)
	:	ControlInterface(pos, listener, value, size)
	{
	}

	void set_text(const char *text);
	std::string get_text() const { return _frame.get_text(); }
	void set_legend(const std::string &legend) { _legend = legend; }
	const std::string &get_legend() const { return _legend; }
	void set_font(const basic::SharedPtr<const FontInterface> &font) { _font = font; }
	void set_font_color(int r, int g, int b) { _frame.set_font_color(r, g, b); }
	void set_font_color(long rgb) { _frame.set_font_color(rgb); }
	long get_font_color() const { return _frame.get_font_color(); }
	void set_justification(int j) { _frame.set_justification(j); }
	void set_frame_size(const Coord2D &size) { _frame.set_size(size); }
	// Point of the text frame placed on the control's position.
	void set_text_hot_point(const Coord2D &hot) { _text_hot = hot; }
	void set_editable_flag(bool flag) { _editable = flag; }
	bool is_editing() const { return _editing; }
	void set_mask(const Picture &pic) { _mask = pic; }
	void set_background(const Picture &pic) { _background = pic; }
	const TextFrame &get_text_frame() const { return _frame; }
	// The text frame in window coordinates.
	Rect get_text_zone() const;

	void stop_user_action() override;

protected:
	int redraw(Redraw &rd) override;
	int mouse_click(MouseClick &msg) override;
	int text_input_finished(TextInputFinished &msg) override;

private:
	TextFrame _frame;
	basic::SharedPtr<const FontInterface> _font;
	Coord2D _text_hot;
	std::string _legend;
	bool _editable = false;
	bool _editing = false;
	Picture _mask;
	Picture _background;
};

} // namespace skane
