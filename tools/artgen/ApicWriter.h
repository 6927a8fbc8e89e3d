// Writes "APIC" resources: nine 32-bit little-endian words (marker, header
// size 36, kind, bits per pixel, width, height, palette entries, pixel
// offset, palette offset), then the pixels. Only the kinds the artwork uses:
// 24-bit pictures (opaque or with straight per-pixel alpha) and the
// single-colour font (one coverage byte per pixel, depth 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen
{

class ApicWriter
{
public:
	enum Kind
	{
		Kind_OPAQUE = 0,
		Kind_ALPHA = 1,
		Kind_UNICOLOR = 2
	};

	// bgra: width * height pixels of blue, green, red, alpha (straight).
	static std::vector<std::uint8_t> picture24(int width, int height, const std::vector<std::uint8_t> &bgra,
		bool opaque);
	// coverage: width * height bytes, the last row being the marker row.
	static std::vector<std::uint8_t> unicolor_font(int width, int height, const std::vector<std::uint8_t> &coverage);

	static bool write_file(const std::string &path, const std::vector<std::uint8_t> &bytes);

private:
	static std::vector<std::uint8_t> header(int kind, int bpp, int width, int height);
};

} // namespace artgen
