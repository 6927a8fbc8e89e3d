// Third-party plug-ins from Debian's lsp-plugins-vst and dpf-plugins-vst,
// used as the cross-check of the host's binary layout. Tests that need one
// skip with a message when the package is absent.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace plughost_test
{

inline const char *kDpfEq = "/usr/lib/vst/3BandEQ-vst.so";
inline const char *kDpfReverb = "/usr/lib/vst/MVerb-vst.so";
inline const char *kDpfSynth = "/usr/lib/vst/Kars-vst.so";
inline const char *kLspEq = "/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so";

inline bool have_file(const std::string &path)
{
	return access(path.c_str(), R_OK) == 0;
}

} // namespace plughost_test

#define REQUIRE_PLUGIN(path)                                                                             \
	do                                                                                                   \
	{                                                                                                    \
		if (!plughost_test::have_file(path))                                                             \
		{                                                                                                \
			GTEST_SKIP() << (path) << " is absent (install lsp-plugins-vst and dpf-plugins-vst)";        \
		}                                                                                                \
	} while (0)
