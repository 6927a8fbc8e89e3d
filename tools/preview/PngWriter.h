// Writes a rendering buffer as a PNG through cairo, optionally enlarged by
// a whole factor (each pixel a square block) for looking at details.
#pragma once

#include "skane/MemoryRenderingBuffer.h"

#include <string>

namespace preview
{

class PngWriter
{
public:
	static bool write(skane::MemoryRenderingBuffer &buf, const std::string &path, int zoom = 1);
};

} // namespace preview
