#include "tests/host/PluginHarness.h"

#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace test
{

std::atomic<vst2::intptr> PluginHarness::host_version{2400};
std::atomic<bool> PluginHarness::second_input_connected{true};
std::atomic<bool> PluginHarness::second_output_connected{true};
std::atomic<int> PluginHarness::automatable_params{0};
std::atomic<int> PluginHarness::automate_calls{0};
std::atomic<double> PluginHarness::tempo{120.0};

const char *plugin_path()
{
	return BRASTOKE_PLUGIN_PATH;
}

PluginHarness::PluginHarness(const char *path)
{
	lib = dlopen(path != nullptr ? path : plugin_path(), RTLD_NOW | RTLD_LOCAL);
	EXPECT_NE(lib, nullptr) << dlerror();
}

PluginHarness::~PluginHarness()
{
	if (lib != nullptr)
		dlclose(lib);
}

PluginHarness::Entry PluginHarness::entry(const char *symbol) const
{
	if (lib == nullptr)
		return nullptr;
	return reinterpret_cast<Entry>(dlsym(lib, symbol));
}

vst2::AEffect *PluginHarness::open()
{
	Entry e = entry();
	if (e == nullptr)
		return nullptr;
	vst2::AEffect *fx = e(&callback);
	if (fx != nullptr)
		dispatch(fx, vst2::effOpen);
	return fx;
}

void PluginHarness::close(vst2::AEffect *e)
{
	if (e != nullptr)
		dispatch(e, vst2::effClose);
}

vst2::intptr PluginHarness::dispatch(vst2::AEffect *e, vst2::int32 op, vst2::int32 index, vst2::intptr value, void *ptr, float opt)
{
	return e->dispatcher(e, op, index, value, ptr, opt);
}

std::string PluginHarness::text(vst2::AEffect *e, vst2::int32 op, vst2::int32 index)
{
	char buf[256];
	std::memset(buf, 0, sizeof(buf));
	dispatch(e, op, index, 0, buf);
	return buf;
}

std::vector<unsigned char> PluginHarness::chunk(vst2::AEffect *e, bool program)
{
	void *data = nullptr;
	const vst2::intptr n = dispatch(e, vst2::effGetChunk, program ? 1 : 0, 0, &data);
	if (n <= 0 || data == nullptr)
		return {};
	const auto *p = static_cast<const unsigned char *>(data);
	return std::vector<unsigned char>(p, p + n);
}

bool PluginHarness::set_chunk(vst2::AEffect *e, const std::vector<unsigned char> &bytes, bool program)
{
	std::vector<unsigned char> copy = bytes;
	return dispatch(e, vst2::effSetChunk, program ? 1 : 0, static_cast<vst2::intptr>(copy.size()), copy.empty() ? nullptr : copy.data()) != 0;
}

std::vector<float> PluginHarness::params(vst2::AEffect *e)
{
	std::vector<float> v;
	for (int i = 0; i < e->numParams; ++i)
		v.push_back(e->getParameter(e, i));
	return v;
}

vst2::intptr PluginHarness::callback(vst2::AEffect *e, vst2::int32 op, vst2::int32 index, vst2::intptr value, void *ptr, float opt)
{
	(void)e;
	(void)ptr;
	(void)opt;
	static thread_local vst2::VstTimeInfo ti;
	switch (op)
	{
	case vst2::audioMasterVersion:
		return host_version.load();
	case vst2::audioMasterAutomate:
		++automate_calls;
		return 0;
	case vst2::audioMasterPinConnected:
		if (index == 1)
			return (value == 0 ? second_input_connected.load() : second_output_connected.load()) ? 0 : 1;
		return 0;
	case vst2::audioMasterGetTime:
		std::memset(&ti, 0, sizeof(ti));
		ti.sampleRate = 44100;
		ti.tempo = tempo.load();
		ti.flags = vst2::kVstTempoValid;
		return reinterpret_cast<vst2::intptr>(&ti);
	case vst2::audioMasterGetNumAutomatableParameters:
		return automatable_params.load();
	case vst2::audioMasterGetSampleRate:
		return 44100;
	case vst2::audioMasterGetBlockSize:
		return 1024;
	default:
		return 0;
	}
}

} // namespace test
