#include "skane/PicDataFactory.h"

#include "skane/AlphaP.h"
#include "skane/AlphaPicData24.h"
#include "skane/AlphaPicData8.h"
#include "skane/ApicHeader.h"
#include "skane/PicData24.h"
#include "skane/PicData8.h"
#include "sys/Resource.h"

#include <cstdint>

namespace skane
{

PicDataFactory &PicDataFactory::get_instance()
{
	static PicDataFactory instance;
	return instance;
}

PicDataInterface *PicDataFactory::create(const char *name) const
{
	if (name == nullptr)
		return nullptr;
	std::size_t size = 0;
	const void *data = sys::get_resource("APIC", name, size);
	return create_from_memory(data, size);
}

PicDataInterface *PicDataFactory::create_from_memory(const void *data, std::size_t size) const
{
	ApicHeader h;
	if (h.read(data, size) != ApicHeader::Status_OK)
		return nullptr;
	if (h.bpp != 8 && h.bpp != 24)
		return nullptr;
	if (h.kind != ApicHeader::Kind_OPAQUE && h.kind != ApicHeader::Kind_ALPHA)
		return nullptr;
	if (h.check_arrays(data, size) != ApicHeader::Status_OK)
		return nullptr;

	const std::uint8_t *base = static_cast<const std::uint8_t *>(data);
	const Coord2D sz(h.width, h.height);
	const std::uint8_t *pix = base + h.pixel_offset;
	const AlphaRGB *pal = h.bpp == 8 ? reinterpret_cast<const AlphaRGB *>(base + h.palette_offset) : nullptr;
	if (h.kind == ApicHeader::Kind_ALPHA)
	{
		if (h.bpp == 24)
			return new AlphaPicData24(sz, reinterpret_cast<const AlphaRGB *>(pix));
		return new AlphaPicData8(sz, reinterpret_cast<const AlphaP *>(pix), pal, h.nbr_colors);
	}
	if (h.bpp == 24)
		return new PicData24(sz, reinterpret_cast<const AlphaRGB *>(pix));
	return new PicData8(sz, pix, pal, h.nbr_colors);
}

} // namespace skane
