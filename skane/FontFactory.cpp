#include "skane/FontFactory.h"

#include "skane/ApicHeader.h"
#include "skane/MulticolorFont.h"
#include "skane/UnicolorFont.h"
#include "sys/Resource.h"

#include <cstdint>

namespace skane
{

FontFactory &FontFactory::get_instance()
{
	static FontFactory instance;
	return instance;
}

FontInterface *FontFactory::create(const char *name) const
{
	if (name == nullptr)
		return nullptr;
	std::size_t size = 0;
	const void *data = sys::get_resource("APIC", name, size);
	return create_from_memory(data, size);
}

FontInterface *FontFactory::create_from_memory(const void *data, std::size_t size) const
{
	ApicHeader h;
	if (h.read(data, size) != ApicHeader::Status_OK)
		return nullptr;
	const bool multi = h.kind == ApicHeader::Kind_ALPHA && h.bpp == 8;
	const bool uni = h.kind == ApicHeader::Kind_UNICOLOR && h.bpp == 0;
	if (!multi && !uni)
		return nullptr;
	// A strip needs the marker row and at least one cell.
	if (h.width < 1 || h.height < 1)
		return nullptr;
	if (h.check_arrays(data, size) != ApicHeader::Status_OK)
		return nullptr;

	const std::uint8_t *base = static_cast<const std::uint8_t *>(data);
	const Coord2D sz(h.width, h.height);
	if (uni)
		return new UnicolorFont(sz, base + h.pixel_offset);
	return new MulticolorFont(sz, reinterpret_cast<const AlphaP *>(base + h.pixel_offset),
		reinterpret_cast<const AlphaRGB *>(base + h.palette_offset), h.nbr_colors);
}

} // namespace skane
