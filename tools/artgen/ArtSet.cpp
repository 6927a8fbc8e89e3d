#include "tools/artgen/ArtSet.h"

#include "tools/artgen/ApicWriter.h"
#include "tools/artgen/BackgroundArt.h"
#include "tools/artgen/ControlArt.h"
#include "tools/artgen/FontArt.h"
#include "tools/artgen/KnobArt.h"

#include <cstring>
#include <string>
#include <string_view>

namespace artgen
{

namespace
{

using L = EditorLayout;

// Pixel size and baseline of the editor's font.
constexpr double FONT_SIZE = 11.0;
constexpr double FONT_BASELINE = 9.0;

bool starts_with(std::string_view s, std::string_view p)
{
	return s.substr(0, p.size()) == p;
}

// Digit after the last underscore ("pb_31_1" -> 1), -1 if none.
int last_digit(std::string_view s)
{
	const auto u = s.rfind('_');
	if (u == std::string_view::npos || u + 2 != s.size() || s[u + 1] < '0' || s[u + 1] > '9')
		return -1;
	return s[u + 1] - '0';
}

// Turn shown by frame i of a knob's film strip.
double frame_turns(const L::KnobFilm &film, int i)
{
	return static_cast<double>(film.angle_base) + i * static_cast<double>(film.angle_per) / film.nbr_frames;
}

} // namespace

std::unique_ptr<Canvas> ArtSet::draw(const L::PicRef &ref, bool &opaque) const
{
	const std::string_view name = ref.name;
	const int hx = ref.hot_x;
	const int hy = ref.hot_y;
	const int state = last_digit(name);
	opaque = false;
	std::unique_ptr<Canvas> c;

	if (name == "bkg_21_main")
	{
		opaque = true;
		c = std::make_unique<Canvas>(L::WIN_SIZE.x, L::WIN_SIZE.y);
		BackgroundArt::draw(*c, _regular, _bold);
	}
	else if (name == "arw_littlesize" || name == "arw_middlesize")
	{
		c = std::make_unique<Canvas>(2 * hx + 1, 2 * hy + 1);
		KnobArt::arrow(*c, hx, hy, 2.0 * hx);
	}
	else if (name == "kn_11_p")
	{
		c = std::make_unique<Canvas>(87, 87);
		KnobArt::large_graduation(*c, hx, hy);
	}
	else if (name == "kn_12_p")
	{
		c = std::make_unique<Canvas>(2 * hx + 1, 2 * hy + 1);
		KnobArt::small_graduation(*c, hx, hy);
	}
	else if (name == "kn_11_spn" || name == "kn_12_spn")
	{
		c = std::make_unique<Canvas>(name == "kn_11_spn" ? 7 : 5, 2 * hy + 1);
		KnobArt::spot(*c, hx, hy);
	}
	else if (starts_with(name, "kn_11_") && state >= 0)
	{
		c = std::make_unique<Canvas>(hx + KnobArt::LARGE_FACE_MARGIN, hy + KnobArt::LARGE_FACE_MARGIN);
		KnobArt::large_face(*c, hx, hy, frame_turns(L::KNOB_LARGE, state));
	}
	else if (starts_with(name, "kn_12_") && state >= 0)
	{
		c = std::make_unique<Canvas>(hx + KnobArt::SMALL_FACE_MARGIN, hy + KnobArt::SMALL_FACE_MARGIN);
		KnobArt::small_face(*c, hx, hy, frame_turns(L::KNOB_SMALL, state));
	}
	else if (starts_with(name, "ff_10_"))
	{
		// Frame 0 (recall) has the thumb left; frame 1 (store) right, lit.
		c = std::make_unique<Canvas>(24, 17);
		ControlArt::slide_switch(*c, hx, hy, state == 1, true);
	}
	else if (starts_with(name, "ff_11_"))
	{
		// The editor shows "ff_11_1" for 0 and "ff_11_0" for 1.
		c = std::make_unique<Canvas>(24, 17);
		ControlArt::slide_switch(*c, hx, hy, state == 0, false);
	}
	else if (starts_with(name, "pb_") && name.size() == 7)
	{
		const int num = (name[3] - '0') * 10 + (name[4] - '0');
		const bool pressed = state == 1;
		if (num >= 31 && num <= 38)
		{
			c = std::make_unique<Canvas>(16, 16);
			ControlArt::memory_key(*c, _bold, num - 30, pressed);
		}
		else if (num == 39 || num == 40)
		{
			c = std::make_unique<Canvas>(37, 16);
			ControlArt::bank_key(*c, _bold, num == 39 ? "LOAD" : "SAVE", pressed);
		}
		else if (num == 55)
		{
			c = std::make_unique<Canvas>(31, 31);
			ControlArt::setup_key(*c, hx, hy, pressed);
		}
	}
	else if (name == "fd_03")
	{
		c = std::make_unique<Canvas>(11, 27);
		ControlArt::fader_cap(*c, hx);
	}
	else if (name == "fd_07")
	{
		c = std::make_unique<Canvas>(7, 17);
		ControlArt::fader_cap(*c, hx);
	}
	else if (starts_with(name, "sp_03_up_") || starts_with(name, "sp_03_dwn_"))
	{
		c = std::make_unique<Canvas>(19, 11);
		ControlArt::spin_arrow(*c, starts_with(name, "sp_03_up_"), state == 1);
	}
	else if (starts_with(name, "sp_03_hnd_"))
	{
		c = std::make_unique<Canvas>(27, 29);
		ControlArt::spin_handle(*c, state == 1);
	}
	else if (starts_with(name, "tl_01_"))
	{
		c = std::make_unique<Canvas>(2 * hx + 1, 2 * hy + 1);
		ControlArt::mark(*c, hx, hy, state == 1);
	}
	return c;
}

std::vector<std::uint8_t> ArtSet::encode(const Canvas &c, bool opaque)
{
	return ApicWriter::picture24(c.width(), c.height(), c.to_bgra_straight(), opaque);
}

std::vector<std::uint8_t> ArtSet::font(std::unique_ptr<Canvas> *look) const
{
	const FontArt::Strip s = FontArt::make(_regular, FONT_SIZE, FONT_BASELINE);
	if (look != nullptr)
	{
		*look = std::make_unique<Canvas>(s.width, s.height);
		for (int y = 0; y < s.height; ++y)
		{
			for (int x = 0; x < s.width; ++x)
			{
				const double a = s.coverage[static_cast<std::size_t>(y) * s.width + x] / 255.0;
				(*look)->put(x, y, 1.0, 1.0, 1.0, a);
			}
		}
		(*look)->mark_dirty();
	}
	return ApicWriter::unicolor_font(s.width, s.height, s.coverage);
}

} // namespace artgen
