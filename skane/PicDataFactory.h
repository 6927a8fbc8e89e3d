// Turns "APIC" resources into picture data. Process-wide, created on first
// use (thread-safe). The data points into the resource bytes, which must
// outlive it.
#pragma once

#include "skane/PicDataInterface.h"

#include <cstddef>

namespace skane
{

class PicDataFactory
{
public:
	static PicDataFactory &get_instance();

	// New data for the "APIC" resource name; null when it is missing or
	// invalid. The caller owns the result.
	PicDataInterface *create(const char *name) const;
	// The same from resource bytes already in memory.
	PicDataInterface *create_from_memory(const void *data, std::size_t size) const;

private:
	PicDataFactory() = default;
};

} // namespace skane
