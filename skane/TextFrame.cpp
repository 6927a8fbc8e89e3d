#include "skane/TextFrame.h"

#include "skane/SystemFnc.h"

namespace skane
{

void TextFrame::set_text(const std::string &text)
{
	_text = text;
	_mapped_ok = false;
}

const std::string &TextFrame::get_mapped_text() const
{
	if (!_mapped_ok)
	{
		_mapped.resize(_text.size());
		for (size_t i = 0; i < _text.size(); ++i)
			_mapped[i] = static_cast<char>(SystemFnc::map_char_for_disp(static_cast<unsigned char>(_text[i])));
		_mapped_ok = true;
	}
	return _mapped;
}

void TextFrame::set_font_color(int r, int g, int b)
{
	_color = ((static_cast<long>(r) & 0xFF) << 16) | ((static_cast<long>(g) & 0xFF) << 8) | (static_cast<long>(b) & 0xFF);
}

} // namespace skane
