// The built plug-in's pictures and font, loaded once per test program the
// way the editor loads them: through the plug-in's resource file and the
// toolkit's factories.
#pragma once

#include "effect/EditorLayout.h"
#include "sys/Resource.h"
#include "tools/preview/PictureSet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace art_test
{

inline const preview::PictureSet &built_pictures()
{
	static preview::PictureSet pics;
	static const int status = [] {
		if (sys::set_res_file(BRASTOKE_PLUGIN_PATH) != 0)
			return -2;
		return pics.load_from_res_file();
	}();
	EXPECT_EQ(status, 0) << "the plug-in's pictures do not all load";
	return pics;
}

// Raw bytes of a resource of the plug-in (null when missing).
inline const std::uint8_t *raw_resource(const char *name, std::size_t &size)
{
	built_pictures();
	return static_cast<const std::uint8_t *>(sys::get_resource("APIC", name, size));
}

inline std::int32_t word(const std::uint8_t *p, int index)
{
	std::int32_t v;
	std::memcpy(&v, p + 4 * index, 4);
	return v;
}

} // namespace art_test
