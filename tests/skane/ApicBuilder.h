// Builds small "APIC" resources in memory for the tests.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/ApicHeader.h"

#include <cstdint>
#include <vector>

namespace skane_test
{

struct ApicBuilder
{
	skane::ApicHeader h;
	std::vector<skane::AlphaRGB> palette;
	std::vector<std::uint8_t> pixels;

	ApicBuilder(int kind, int bpp, int w, int h_)
	{
		h.kind = kind;
		h.bpp = bpp;
		h.width = w;
		h.height = h_;
	}

	// Header, palette (when any), pixels; offsets filled in unless fixed.
	std::vector<std::uint8_t> build(bool fix_offsets = true) const
	{
		skane::ApicHeader hh = h;
		if (fix_offsets)
		{
			hh.nbr_colors = static_cast<std::int32_t>(palette.size());
			hh.palette_offset = palette.empty() ? 0 : 36;
			hh.pixel_offset = 36 + static_cast<std::int32_t>(palette.size() * 4);
		}
		std::vector<std::uint8_t> out(36);
		hh.write(out.data());
		for (const auto &c : palette)
		{
			out.push_back(c.b);
			out.push_back(c.g);
			out.push_back(c.r);
			out.push_back(c.a);
		}
		out.insert(out.end(), pixels.begin(), pixels.end());
		return out;
	}
};

} // namespace skane_test
