#include "skane/FontInterface.h"

#include <algorithm>

namespace skane
{

const FontInterface::CharDim *FontInterface::get_char(unsigned char code) const
{
	if (code >= 128 || code >= _cells.size())
		return nullptr;
	return &_cells[code];
}

int FontInterface::get_line_width(const std::string &mapped_text) const
{
	int w = 0;
	for (char ch : mapped_text)
	{
		const CharDim *cd = get_char(static_cast<unsigned char>(ch));
		if (cd != nullptr)
			w += cd->width;
	}
	return w;
}

int FontInterface::get_line_width(const TextFrame &frame) const
{
	return get_line_width(frame.get_mapped_text());
}

void FontInterface::print(const Rect &dest, RenderingBufferInterface &buf, const TextFrame &frame) const
{
	AlphaRGB *data = buf.get_data_ptr();
	const Coord2D bs = buf.get_size();
	if (data == nullptr || bs.x <= 0 || bs.y <= 0)
		return;
	const std::string &text = frame.get_mapped_text();
	const Coord2D fs = frame.get_size();

	// Clip: frame, destination, buffer (all in frame coordinates).
	const long long cx0 = std::max<long long>({0, dest.x0});
	const long long cy0 = std::max<long long>({0, dest.y0});
	const long long cx1 = std::min<long long>({fs.x, dest.x1, static_cast<long long>(dest.x0) + bs.x});
	const long long cy1 = std::min<long long>({fs.y, get_text_height(), dest.y1,
		static_cast<long long>(dest.y0) + bs.y});
	if (cx1 <= cx0 || cy1 <= cy0)
		return;

	const long long rest = static_cast<long long>(fs.x) - get_line_width(text);
	long long x = 0;
	const int just = frame.get_justification();
	if (just == TextFrame::Justification_RIGHT)
		x = rest;
	else if (just == TextFrame::Justification_CENTER)
		x = rest >= 0 ? rest / 2 : -((-rest + 1) / 2);

	for (char ch : text)
	{
		const CharDim *cd = get_char(static_cast<unsigned char>(ch));
		if (cd == nullptr)
			continue;
		const long long gx0 = std::max(x, cx0);
		const long long gx1 = std::min(x + cd->width, cx1);
		if (gx1 > gx0)
		{
			AlphaRGB *dst = data + (cy0 - dest.y0) * bs.x + (gx0 - dest.x0);
			blit_char(static_cast<int>(cd->x + (gx0 - x)), static_cast<int>(cd->x + (gx1 - x)),
				static_cast<int>(cy0), static_cast<int>(cy1), dst, bs.x, frame.get_font_color());
		}
		x += cd->width;
		if (x >= cx1)
			break;
	}
}

} // namespace skane
