// Feeds arbitrary bytes to the picture and font factories; whatever they
// accept is drawn every way into a small buffer. The bytes are copied to a
// buffer of their exact size, so any read past them is caught.
#include "skane/FontFactory.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/PicDataFactory.h"
#include "skane/Picture.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size > 0 ? size : 1]);
	if (size > 0)
		std::memcpy(bytes.get(), data, size);

	// A few drawing parameters from the tail of the input.
	float params[3] = {3.5f, -2.25f, 0.7f};
	if (size >= 48)
		std::memcpy(params, bytes.get() + size - 12, 12);

	skane::MemoryRenderingBuffer buf(skane::Coord2D(23, 17));
	std::unique_ptr<skane::PicDataInterface> pic_data(
		skane::PicDataFactory::get_instance().create_from_memory(bytes.get(), size));
	if (pic_data)
	{
		skane::Picture pic(basic::SharedPtr<skane::PicDataInterface>(pic_data.release()), skane::Coord2D(2, 3));
		pic.blit(skane::Rect(-4, -4, 19, 13), buf);
		pic.blit_alpha(skane::Rect(1, 2, 24, 19), buf, params[2]);
		pic.blit_subpix(params[0], params[1], skane::Coord2D(-1, 2), buf);
		pic.blit_rotate(params[0], params[1], skane::Coord2D(0, 0), params[2] * 7.0f, buf);
		pic.blit_rotate_alpha(10.0f, 8.0f, skane::Coord2D(3, -3), params[0], buf, 0.5f);
		pic.set_src_clipper(skane::Rect(1, 1, 5, 4));
		pic.blit_rotate(11.5f, 8.5f, skane::Coord2D(0, 0), 2.0f, buf);
	}

	std::unique_ptr<skane::FontInterface> font(skane::FontFactory::get_instance().create_from_memory(bytes.get(), size));
	if (font)
	{
		skane::TextFrame tf;
		std::string text;
		for (int c = 0; c < 160; ++c)
			text.push_back(static_cast<char>(c));
		tf.set_text(text);
		tf.set_size(skane::Coord2D(40, 14));
		for (int j = 0; j < 3; ++j)
		{
			tf.set_justification(j);
			font->print(skane::Rect(-3, -2, 20, 15), buf, tf);
		}
		font->get_line_width(tf);
	}
	return 0;
}
