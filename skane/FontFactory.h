// Turns "APIC" font resources into fonts: kind 1 with 8 bits is a
// multicolour font, kind 2 with depth 0 a single-colour font. Process-wide,
// created on first use (thread-safe). Fonts point into the resource bytes.
#pragma once

#include "skane/FontInterface.h"

#include <cstddef>

namespace skane
{

class FontFactory
{
public:
	static FontFactory &get_instance();

	// New font for the "APIC" resource name; null when missing or invalid.
	FontInterface *create(const char *name) const;
	FontInterface *create_from_memory(const void *data, std::size_t size) const;

private:
	FontFactory() = default;
};

} // namespace skane
