// A small VST 2 plug-in for the host's tests: a stereo gain with two
// parameters, two programs and chunks, written against the ABI records
// only. PLUGHOST_FIXTURE_FAULT names one fault to build in, so tests can
// show that the validator catches it; without it the plug-in is correct.
#include "vst2/aeffect.h"

#include <atomic>
#include <chrono>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <locale.h>
#include <thread>
#include <vector>
#include <xmmintrin.h>

using namespace vst2;

namespace
{

bool fault(const char *name)
{
	const char *f = std::getenv("PLUGHOST_FIXTURE_FAULT");
	return f != nullptr && std::strcmp(f, name) == 0;
}

void *volatile g_leak = nullptr;

constexpr int kNbrParams = 2;
constexpr int kNbrPrograms = 2;
constexpr std::uint32_t kMagic = 0x46495854; // chunk header

struct Program
{
	char name[24];
	float values[kNbrParams];
};

struct Fixture
{
	AEffect fx{};
	audioMasterCallback host = nullptr;
	std::atomic<float> values[kNbrParams];
	std::atomic<int> program{0};
	Program programs[kNbrPrograms];
	std::mutex mutex; // guards programs and the chunk buffer (never the audio thread)
	std::vector<unsigned char> chunk;
	float sample_rate = 44100;
	long calls = 0;
};

Fixture *self(AEffect *e)
{
	return static_cast<Fixture *>(e->object);
}

void copy_text(void *ptr, const char *text, std::size_t size)
{
	if (fault("text-overrun"))
	{
		std::strncpy(static_cast<char *>(ptr), text, 64);
		return;
	}
	const std::size_t n = std::min(std::strlen(text), size - 1);
	std::memcpy(ptr, text, n);
	static_cast<char *>(ptr)[n] = '\0';
}

float clamp01(float v, float old)
{
	if (fault("no-clamp"))
	{
		return v;
	}
	return std::isnan(v) ? old : std::fmin(1.0f, std::fmax(0.0f, v));
}

void set_parameter(AEffect *e, int32 i, float v)
{
	Fixture *f = self(e);
	if (fault("lock"))
	{
		std::lock_guard<std::mutex> lock(f->mutex);
	}
	if (i >= 0 && i < kNbrParams)
	{
		f->values[i] = clamp01(v, f->values[i].load());
	}
}

float get_parameter(AEffect *e, int32 i)
{
	return (i >= 0 && i < kNbrParams) ? self(e)->values[i].load() : 0.0f;
}

void process_replacing(AEffect *e, float **in, float **out, int32 n)
{
	Fixture *f = self(e);
	const float gain = f->values[0] * 2.0f;
	if (fault("alloc"))
	{
		void *volatile p = std::malloc(64);
		std::free(p);
	}
	if (fault("fp-mode"))
	{
		_mm_setcsr(_mm_getcsr() | 0x8040);
	}
	for (int32 i = 0; i < n; ++i)
	{
		if (fault("in-place"))
		{
			out[1][i] = in[0][i] * gain;
			out[0][i] = in[1][i] * gain;
		}
		else
		{
			const float l = in[0][i] * gain;
			const float r = in[1][i] * gain;
			out[0][i] = l;
			out[1][i] = r;
		}
	}
	if (fault("outside") && n > 0)
	{
		out[0][n] = 0.0f;
	}
	if (fault("inputs") && n > 0)
	{
		in[0][0] = 0.0f;
	}
	if (fault("nan") && n == 7)
	{
		out[1][3] = std::nanf("");
	}
	++f->calls;
}

void process_accumulating(AEffect *e, float **in, float **out, int32 n)
{
	const float gain = self(e)->values[0] * 2.0f;
	for (int32 i = 0; i < n; ++i)
	{
		out[0][i] += in[0][i] * gain;
		out[1][i] += in[1][i] * gain;
	}
}

void display(Fixture *f, int32 i, char *ptr)
{
	char tmp[32];
	const double v = i == 0 ? 20.0 * std::log10(std::fmax(1e-6, f->values[0] * 2.0)) : f->values[1] * 100.0;
	if (fault("locale"))
	{
		std::snprintf(tmp, sizeof(tmp), "%.1f", v);
	}
	else
	{
		locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
		locale_t old = uselocale(c);
		std::snprintf(tmp, sizeof(tmp), "%.1f", v);
		uselocale(old);
		freelocale(c);
	}
	copy_text(ptr, tmp, 8);
}

bool string_to_param(Fixture *f, int32 i, const char *text)
{
	if (text == nullptr || i < 0 || i >= kNbrParams)
	{
		return false;
	}
	char *end = nullptr;
	locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
	locale_t old = uselocale(c);
	const double v = std::strtod(text, &end);
	uselocale(old);
	freelocale(c);
	if (end == text || !std::isfinite(v))
	{
		return false;
	}
	const double n = i == 0 ? std::pow(10.0, v / 20.0) / 2.0 : v / 100.0;
	f->values[i] = clamp01(float(n), f->values[i]);
	return true;
}

intptr get_chunk(Fixture *f, int32 index, void **ptr)
{
	if (fault("hang"))
	{
		std::this_thread::sleep_for(std::chrono::hours(1));
	}
	std::lock_guard<std::mutex> lock(f->mutex);
	const int nbr = index == 0 ? kNbrPrograms : 1;
	f->chunk.assign(4 + sizeof(Program) * std::size_t(nbr), 0);
	std::memcpy(f->chunk.data(), &kMagic, 4);
	for (int k = 0; k < nbr; ++k)
	{
		const int prog = index == 0 ? k : f->program.load();
		Program p = f->programs[prog];
		if (prog == f->program.load())
		{
			for (int i = 0; i < kNbrParams; ++i)
			{
				p.values[i] = f->values[i];
			}
		}
		std::memcpy(f->chunk.data() + 4 + sizeof(Program) * std::size_t(k), &p, sizeof(Program));
	}
	*ptr = f->chunk.data();
	return intptr(f->chunk.size());
}

intptr set_chunk(Fixture *f, int32 index, intptr size, const void *data)
{
	if (fault("crash") && size == 0)
	{
		std::raise(SIGSEGV);
	}
	const int nbr = index == 0 ? kNbrPrograms : 1;
	const intptr want = intptr(4 + sizeof(Program) * std::size_t(nbr));
	const intptr seen = fault("narrow-chunk") ? intptr(int32(size)) : size;
	if (seen != want || data == nullptr || std::memcmp(data, &kMagic, 4) != 0)
	{
		return 0;
	}
	Program incoming[kNbrPrograms];
	std::memcpy(incoming, static_cast<const unsigned char *>(data) + 4, sizeof(Program) * std::size_t(nbr));
	for (int k = 0; k < nbr; ++k)
	{
		if (std::memchr(incoming[k].name, 0, sizeof(incoming[k].name)) == nullptr)
		{
			return 0;
		}
		for (float v : incoming[k].values)
		{
			if (!(v >= 0.0f && v <= 1.0f))
			{
				return 0;
			}
		}
	}
	std::lock_guard<std::mutex> lock(f->mutex);
	for (int k = 0; k < nbr; ++k)
	{
		const int prog = index == 0 ? k : f->program.load();
		f->programs[prog] = incoming[k];
	}
	for (int i = 0; i < kNbrParams; ++i)
	{
		f->values[i] = f->programs[f->program.load()].values[i];
	}
	return 1;
}

void select_program(Fixture *f, int prog)
{
	std::lock_guard<std::mutex> lock(f->mutex);
	Program &old = f->programs[f->program.load()];
	for (int i = 0; i < kNbrParams; ++i)
	{
		old.values[i] = f->values[i];
	}
	f->program = prog;
	for (int i = 0; i < kNbrParams; ++i)
	{
		f->values[i] = f->programs[prog].values[i];
	}
}

intptr dispatch(AEffect *e, int32 op, int32 index, intptr value, void *ptr, float opt)
{
	Fixture *f = self(e);
	static const char *const names[kNbrParams] = {"Gain", "Mix"};
	static const char *const labels[kNbrParams] = {"dB", "%"};
	switch (op)
	{
	case effOpen:
		if (fault("resvd1"))
		{
			e->resvd1 = 0;
		}
		if (fault("leak"))
		{
			// Each open loses the block of the one before.
			g_leak = std::malloc(4096);
		}
		return 0;
	case effClose: delete f; return 1;
	case effSetProgram:
		if (value < 0 || value >= kNbrPrograms)
		{
			return 0;
		}
		select_program(f, int(value));
		return 1;
	case effGetProgram: return f->program.load();
	case effSetProgramName:
	{
		if (ptr == nullptr)
		{
			return 0;
		}
		std::lock_guard<std::mutex> lock(f->mutex);
		char *name = f->programs[f->program.load()].name;
		std::strncpy(name, static_cast<const char *>(ptr), sizeof(Program::name) - 1);
		name[sizeof(Program::name) - 1] = '\0';
		return 1;
	}
	case effGetProgramName:
	{
		std::lock_guard<std::mutex> lock(f->mutex);
		copy_text(ptr, f->programs[f->program.load()].name, 24);
		return 1;
	}
	case effGetProgramNameIndexed:
	{
		if (index < 0 || index >= kNbrPrograms)
		{
			return 0;
		}
		std::lock_guard<std::mutex> lock(f->mutex);
		copy_text(ptr, f->programs[index].name, 24);
		return 1;
	}
	case effGetParamName:
	case effGetParamLabel:
		if (index < 0 || index >= kNbrParams)
		{
			return 0;
		}
		copy_text(ptr, op == effGetParamName ? names[index] : labels[index], 8);
		return 1;
	case effGetParamDisplay:
		if (index < 0 || index >= kNbrParams)
		{
			return 0;
		}
		display(f, index, static_cast<char *>(ptr));
		return 1;
	case effString2Parameter: return string_to_param(f, index, static_cast<const char *>(ptr)) ? 1 : 0;
	case effCanBeAutomated: return (index >= 0 && index < kNbrParams) ? 1 : 0;
	case effSetSampleRate:
		if (opt > 0 && std::isfinite(opt))
		{
			f->sample_rate = opt;
		}
		return 0;
	case effGetChunk: return get_chunk(f, index, static_cast<void **>(ptr));
	case effSetChunk: return set_chunk(f, index, value, ptr);
	case effGetEffectName: copy_text(ptr, "Fixture", 32); return 1;
	case effGetVendorString: copy_text(ptr, "plughost tests", 64); return 1;
	case effGetProductString: copy_text(ptr, "Fixture Gain", 64); return 1;
	case effGetVendorVersion: return 100;
	case effGetPlugCategory: return kPlugCategEffect;
	case effGetVstVersion: return 2400;
	case effCanDo: return -1;
	default: return 0;
	}
}

} // namespace

extern "C" __attribute__((visibility("default"))) AEffect *VSTPluginMain(audioMasterCallback host)
{
	if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0)
	{
		return nullptr;
	}
	if (fault("entry-callback"))
	{
		host(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0);
	}
	auto *f = new Fixture;
	f->host = host;
	AEffect &e = f->fx;
	e.magic = kEffectMagic;
	e.dispatcher = dispatch;
	e.process = process_accumulating;
	e.setParameter = set_parameter;
	e.getParameter = get_parameter;
	e.processReplacing = process_replacing;
	e.numPrograms = kNbrPrograms;
	e.numParams = kNbrParams;
	e.numInputs = 2;
	e.numOutputs = 2;
	e.flags = effFlagsCanReplacing | effFlagsProgramChunks;
	e.ioRatio = 1.0f;
	e.object = f;
	e.uniqueID = 0x46697874;
	e.version = 100;
	const char *const program_names[kNbrPrograms] = {"Unity", "Quiet"};
	for (int k = 0; k < kNbrPrograms; ++k)
	{
		std::memset(&f->programs[k], 0, sizeof(Program));
		std::strcpy(f->programs[k].name, program_names[k]);
		f->programs[k].values[0] = k == 0 ? 0.5f : 0.1f;
		f->programs[k].values[1] = 1.0f;
	}
	f->values[0] = 0.5f;
	f->values[1] = 1.0f;
	return &e;
}
