// Test utility: loads the built plug-in with dlopen through its VST 2 entry,
// as a host does, and answers its callbacks with values a test can set.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "vst2/aeffect.h"

namespace test
{

class PluginHarness
{
public:
	using Entry = vst2::AEffect *(*)(vst2::audioMasterCallback);

	// Loads the plug-in at path (the built one by default); fails the test
	// when it cannot.
	explicit PluginHarness(const char *path = nullptr);
	~PluginHarness();
	PluginHarness(const PluginHarness &) = delete;
	PluginHarness &operator=(const PluginHarness &) = delete;

	Entry entry(const char *symbol = "VSTPluginMain") const;
	// A new instance, opened (effOpen); null when the entry refused.
	vst2::AEffect *open();
	void close(vst2::AEffect *e);

	static vst2::intptr dispatch(vst2::AEffect *e, vst2::int32 op, vst2::int32 index = 0, vst2::intptr value = 0, void *ptr = nullptr, float opt = 0);
	static std::string text(vst2::AEffect *e, vst2::int32 op, vst2::int32 index = 0);
	static std::vector<unsigned char> chunk(vst2::AEffect *e, bool program);
	static bool set_chunk(vst2::AEffect *e, const std::vector<unsigned char> &bytes, bool program);
	// Every parameter's normalized value.
	static std::vector<float> params(vst2::AEffect *e);

	// What the host answers.
	static std::atomic<vst2::intptr> host_version;
	static std::atomic<bool> second_input_connected;
	static std::atomic<bool> second_output_connected;
	static std::atomic<int> automatable_params;
	static std::atomic<int> automate_calls;
	static std::atomic<double> tempo;
	static vst2::intptr callback(vst2::AEffect *e, vst2::int32 op, vst2::int32 index, vst2::intptr value, void *ptr, float opt);

	void *handle() const { return lib; }

private:
	void *lib = nullptr;
};

// The built plug-in's path.
const char *plugin_path();

} // namespace test
