// setChunk of the host binding with arbitrary bytes and sizes: the first byte
// picks the bank or the program form. A refused chunk must change nothing;
// an accepted one must read back byte for byte.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "effect/VorluneDsp.h"
#include "host/HostDspVst2BeOS.h"
#include "host/Vst2BeOSPlugin.h"

namespace
{

vst2::intptr host_cb(vst2::AEffect *, vst2::int32 op, vst2::int32, vst2::intptr, void *, float)
{
	return op == vst2::audioMasterVersion ? 2400 : 0;
}

plegg::Vst2BeOSPlugin &plugin()
{
	static plegg::Vst2BeOSPlugin *p = [] {
		auto *dsp = new VorluneDsp;
		plegg::BankManager bank(8);
		for (int i = 0; i < 8; ++i)
			bank[i].set_nbr_param(dsp->get_nbr_param());
		auto host = std::make_unique<plegg::HostDspVst2BeOS>();
		plegg::HostDspVst2BeOS *h = host.get();
		auto *pl = new plegg::Vst2BeOSPlugin(host_cb, dsp, nullptr, nullptr, bank, 0x4B76746E);
		pl->adopt_dsp_host(std::move(host));
		h->set_plugin(*pl);
		dsp->set_host(*h);
		pl->init();
		pl->set_default_state();
		return pl;
	}();
	return *p;
}

std::vector<unsigned char> get(plegg::Vst2BeOSPlugin &p, bool preset)
{
	void *data = nullptr;
	const vst2::int32 n = p.getChunk(&data, preset);
	const auto *b = static_cast<const unsigned char *>(data);
	return std::vector<unsigned char>(b, b + n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	if (size < 1)
		return 0;
	plegg::Vst2BeOSPlugin &p = plugin();
	const bool preset = (data[0] & 1) != 0;
	std::vector<unsigned char> chunk(data + 1, data + size);
	const auto before = get(p, preset);
	const bool ok = p.setChunk(chunk.empty() ? nullptr : chunk.data(), static_cast<vst2::int32>(chunk.size()), preset) != 0;
	const auto after = get(p, preset);
	if (!ok && after != before)
		__builtin_trap();
	if (ok && after.size() != chunk.size())
		__builtin_trap();
	// Selecting a program hands the values to the engine.
	p.setProgram(data[0] >> 5);
	return 0;
}
