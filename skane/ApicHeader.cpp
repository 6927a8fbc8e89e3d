#include "skane/ApicHeader.h"

#include "skane/AlphaP.h"

#include <cstring>

namespace skane
{

std::int32_t ApicHeader::read_word(const std::uint8_t *p)
{
	std::uint8_t b[4];
	std::memcpy(b, p, 4);
	const std::uint32_t u = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16)
		| (std::uint32_t(b[3]) << 24);
	std::int32_t v;
	std::memcpy(&v, &u, 4);
	return v;
}

void ApicHeader::write_word(std::uint8_t *p, std::int32_t v)
{
	std::uint32_t u;
	std::memcpy(&u, &v, 4);
	const std::uint8_t b[4] = {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
	std::memcpy(p, b, 4);
}

int ApicHeader::read(const void *data, std::size_t size)
{
	if (data == nullptr || size < HEADER_SIZE)
		return Status_TRUNCATED;
	const std::uint8_t *p = static_cast<const std::uint8_t *>(data);
	ApicHeader h;
	h.marker = read_word(p);
	h.header_size = read_word(p + 4);
	h.kind = read_word(p + 8);
	h.bpp = read_word(p + 12);
	h.width = read_word(p + 16);
	h.height = read_word(p + 20);
	h.nbr_colors = read_word(p + 24);
	h.pixel_offset = read_word(p + 28);
	h.palette_offset = read_word(p + 32);
	if (h.marker == 0)
		return Status_BAD_MARKER;
	if (h.header_size < HEADER_SIZE || static_cast<std::size_t>(h.header_size) > size)
		return Status_BAD_HEADER_SIZE;
	if (h.bpp != 0 && h.bpp != 8 && h.bpp != 24)
		return Status_BAD_DEPTH;
	if (h.width < 0 || h.height < 0)
		return Status_BAD_SIZE;
	if (h.nbr_colors < 0 || (h.bpp == 8 && h.nbr_colors > MAX_PALETTE))
		return Status_BAD_PALETTE;
	*this = h;
	return Status_OK;
}

int ApicHeader::get_pixel_bytes() const
{
	if (bpp == 24 && (kind == Kind_OPAQUE || kind == Kind_ALPHA))
		return 4;
	if (bpp == 8 && kind == Kind_OPAQUE)
		return 1;
	if (bpp == 8 && kind == Kind_ALPHA)
		return 2;
	if (bpp == 0 && kind == Kind_UNICOLOR)
		return 1;
	return 0;
}

namespace
{

// [offset, offset + count * elem) inside [0, size)?
bool range_fits(std::int64_t offset, std::uint64_t count, std::uint64_t elem, std::size_t size)
{
	if (offset < 0 || static_cast<std::uint64_t>(offset) > size)
		return false;
	const std::uint64_t room = size - static_cast<std::uint64_t>(offset);
	if (elem == 0)
		return true;
	return count <= room / elem;
}

} // namespace

int ApicHeader::check_arrays(const void *data, std::size_t size) const
{
	const int pix_bytes = get_pixel_bytes();
	if (pix_bytes == 0)
		return Status_BAD_DEPTH;
	const std::uint64_t nbr_pix = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
	if (pixel_offset < HEADER_SIZE || !range_fits(pixel_offset, nbr_pix, pix_bytes, size))
		return Status_BAD_PIXELS;
	if (bpp != 8)
		return Status_OK;

	if (nbr_colors <= 0 || palette_offset < HEADER_SIZE || !range_fits(palette_offset, nbr_colors, 4, size))
		return Status_BAD_PALETTE;
	// Palette indices are read as they are at every blit: check them once.
	const std::uint8_t *p = static_cast<const std::uint8_t *>(data) + pixel_offset;
	for (std::uint64_t i = 0; i < nbr_pix; ++i)
	{
		const int idx = p[i * pix_bytes];
		if (idx >= nbr_colors)
			return Status_BAD_INDEX;
	}
	return Status_OK;
}

void ApicHeader::write(std::uint8_t *out) const
{
	const std::int32_t w[9] = {marker, header_size, kind, bpp, width, height, nbr_colors, pixel_offset, palette_offset};
	for (int i = 0; i < 9; ++i)
		write_word(out + 4 * i, w[i]);
}

} // namespace skane
