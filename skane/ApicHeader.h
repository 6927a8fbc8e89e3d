// Header of an "APIC" picture or font resource: nine 32-bit little-endian
// signed words, then the palette (4-byte AlphaRGB entries) and the pixels.
// parse() checks that every array the header names lies inside the bytes it
// was given; nothing after it reads outside them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skane
{

class ApicHeader
{
public:
	enum Kind
	{
		Kind_OPAQUE = 0,   // opaque picture
		Kind_ALPHA = 1,    // picture with per-pixel alpha, or multicolour font
		Kind_UNICOLOR = 2  // single-colour font (coverage bytes)
	};

	enum
	{
		HEADER_SIZE = 36,
		MAX_PALETTE = 256
	};

	enum Status
	{
		Status_OK = 0,
		Status_TRUNCATED = -1,     // fewer bytes than a header
		Status_BAD_MARKER = -2,    // word 0 is 0
		Status_BAD_HEADER_SIZE = -3,
		Status_BAD_DEPTH = -4,
		Status_BAD_SIZE = -5,      // negative width or height
		Status_BAD_PALETTE = -6,   // too many entries, or outside the data
		Status_BAD_PIXELS = -7,    // pixel array outside the data
		Status_BAD_INDEX = -8      // a palette index beyond the palette
	};

	std::int32_t marker = 1;
	std::int32_t header_size = HEADER_SIZE;
	std::int32_t kind = Kind_OPAQUE;
	std::int32_t bpp = 24;
	std::int32_t width = 0;
	std::int32_t height = 0;
	std::int32_t nbr_colors = 0;
	std::int32_t pixel_offset = HEADER_SIZE;
	std::int32_t palette_offset = 0;

	// Reads the nine words (memcpy, little-endian) and checks the common
	// rules: marker, header size, no negative size, palette entries.
	int read(const void *data, std::size_t size);

	// Bytes per pixel for this kind and depth: 1, 2 or 4; 0 when the pair
	// is not a known one.
	int get_pixel_bytes() const;

	// After read(): checks that the pixel array (and the palette when the
	// depth is 8) lies inside size bytes, and that every palette index of
	// 8-bit data is below nbr_colors. Status_OK or a failure.
	int check_arrays(const void *data, std::size_t size) const;

	// Writes the nine words little-endian into out (36 bytes).
	void write(std::uint8_t *out) const;

	static std::int32_t read_word(const std::uint8_t *p);
	static void write_word(std::uint8_t *p, std::int32_t v);
};

} // namespace skane
