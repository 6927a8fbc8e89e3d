// Entry checks: the exported names, what the entry function calls back, the
// record it returns, its texts and its pins.
#include "tools/plughost/Describe.h"
#include "tools/plughost/validate/CheckSupport.h"

#include "basic/CLocale.h"

#include <cstring>

namespace plughost
{

namespace
{

void check_symbols(CheckContext &ctx, CheckReport &r)
{
	const PluginLibrary &lib = *ctx.lib;
	std::string names = std::string(lib.has_vst_plugin_main() ? "VSTPluginMain " : "") +
	                    (lib.has_main() ? "main " : "") + (lib.has_main_plugin() ? "main_plugin" : "");
	if (!lib.has_vst_plugin_main())
	{
		r.warn("only main is exported: hosts that look up VSTPluginMain alone miss the plug-in");
	}
	r.note("exports " + names);
}

void check_callbacks(CheckContext &ctx, CheckReport &r)
{
	std::string err;
	auto p = PluginInstance::create(ctx.lib, err, {});
	if (!p)
	{
		r.fail(err);
		return;
	}
	const HostContext &h = p->host();
	std::vector<std::string> other;
	bool asked_version = false;
	for (int i = 0; i < h.nbr_entry_calls(); ++i)
	{
		const vst2::int32 op = h.entry_call(i);
		if (op == vst2::audioMasterVersion)
		{
			asked_version = true;
		}
		else
		{
			other.push_back(host_opcode_name(op));
		}
	}
	if (!other.empty())
	{
		r.fail("called " + first_items(other, 4) + " before the entry returned (hosts finish the record after it)");
	}
	if (!asked_version)
	{
		r.warn("never asked audioMasterVersion");
	}
	r.note("only audioMasterVersion before the entry returned");
}

void check_version0(CheckContext &ctx, CheckReport &r)
{
	HostContext h;
	h.version_answer = 0;
	h.begin_entry();
	vst2::AEffect *e = ctx.lib->entry()(&HostContext::callback);
	h.end_entry();
	if (e == nullptr)
	{
		r.note("returns null to a host answering version 0");
		return;
	}
	r.warn("returned a record to a host answering version 0 (not a VST 2 host)");
	if (e->magic == vst2::kEffectMagic && e->dispatcher != nullptr)
	{
		h.attach(e);
		e->dispatcher(e, vst2::effClose, 0, 0, nullptr, 0.0f);
		h.detach();
	}
}

void check_record(CheckContext &ctx, CheckReport &r)
{
	std::string err;
	auto p = PluginInstance::create(ctx.lib, err, {});
	if (!p)
	{
		r.fail(err);
		return;
	}
	vst2::AEffect *e = p->effect();
	// create() has stored the host's pointer in resvd1 since; the rest is as
	// the entry left it.
	if (e->resvd2 != 0)
	{
		r.warn("resvd2 is not 0 after the entry");
	}
	if (e->dispatcher == nullptr || e->setParameter == nullptr || e->getParameter == nullptr)
	{
		r.fail("dispatcher, setParameter or getParameter is null");
		return;
	}
	if ((e->flags & vst2::effFlagsCanReplacing) != 0 && e->processReplacing == nullptr)
	{
		r.fail("CanReplacing is set but processReplacing is null");
	}
	if ((e->flags & vst2::effFlagsCanReplacing) == 0)
	{
		r.warn("CanReplacing is clear: VST 2.4 hosts call processReplacing only");
	}
	if ((e->flags & vst2::effFlagsCanDoubleReplacing) != 0 && e->processDoubleReplacing == nullptr)
	{
		r.fail("CanDoubleReplacing is set but processDoubleReplacing is null");
	}
	const vst2::int32 known = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x100 | 0x200 | 0x1000;
	if ((e->flags & ~known) != 0)
	{
		r.warn(basic::c_format("unknown flag bits 0x%X", unsigned(e->flags & ~known)));
	}
	if (e->numInputs < 0 || e->numInputs > 128 || e->numOutputs < 0 || e->numOutputs > 128)
	{
		r.fail("pin counts out of range: " + std::to_string(e->numInputs) + " in, " + std::to_string(e->numOutputs) +
		       " out");
	}
	if (e->numParams < 0 || e->numParams > 100000 || e->numPrograms < 0 || e->numPrograms > 100000)
	{
		r.fail("counts out of range: " + std::to_string(e->numParams) + " parameters, " +
		       std::to_string(e->numPrograms) + " programs");
	}
	if (e->uniqueID == 0)
	{
		r.warn("unique id is 0: hosts tell plug-ins and their saved states apart by it");
	}
	if (e->ioRatio != 1.0f)
	{
		r.note(basic::c_format("ioRatio %g", double(e->ioRatio)));
	}

	// The host's fields must survive every call.
	const vst2::intptr marker1 = e->resvd1;
	e->user = reinterpret_cast<void *>(vst2::intptr(0x5A5A1234));
	const vst2::intptr r2 = e->resvd2;
	p->open();
	p->set_sample_rate(48000);
	p->set_block_size(256);
	p->resume();
	Rng rng(ctx.seed);
	process_noise(*p, rng, 1024, 256);
	for (int i = 0; i < e->numParams; ++i)
	{
		p->get_parameter(i);
		p->param_display(i);
	}
	p->suspend();
	if (e->resvd1 != marker1)
	{
		r.fail("the plug-in wrote resvd1 (hosts keep their own pointer there)");
	}
	if (e->resvd2 != r2)
	{
		r.fail("the plug-in wrote resvd2");
	}
	if (e->user != reinterpret_cast<void *>(vst2::intptr(0x5A5A1234)))
	{
		r.fail("the plug-in wrote user (the host's field)");
	}
	r.note(basic::c_format("magic, counts and function pointers fine; %d in, %d out, %d parameters, %d programs",
	                       e->numInputs, e->numOutputs, e->numParams, e->numPrograms));
}

void check_strings(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 512, false);
	if (!p)
	{
		return;
	}
	std::vector<std::string> fails;
	std::vector<std::string> warns;
	const GuardedText name = p->text(vst2::effGetEffectName);
	judge_text(name, 32, "effect name", fails, warns);
	if (!name.written() || name.text.empty())
	{
		warns.push_back("no effect name (hosts show the file name)");
	}
	judge_text(p->text(vst2::effGetVendorString), 64, "vendor", fails, warns);
	judge_text(p->text(vst2::effGetProductString), 64, "product", fails, warns);
	judge_text(p->text(vst2::effGetProgramName), 24, "current program name", fails, warns);
	const vst2::AEffect *e = p->effect();
	for (int i = 0; i < e->numPrograms; ++i)
	{
		judge_text(p->text(vst2::effGetProgramNameIndexed, i), 24, "program " + std::to_string(i) + " name", fails,
		           warns);
	}
	int nbr_params_checked = 0;
	for (int i = 0; i < e->numParams; ++i)
	{
		const std::string idx = std::to_string(i);
		judge_text(p->text(vst2::effGetParamName, i), 8, "parameter " + idx + " name", fails, warns);
		judge_text(p->text(vst2::effGetParamLabel, i), 8, "parameter " + idx + " label", fails, warns);
		judge_text(p->text(vst2::effGetParamDisplay, i), 8, "parameter " + idx + " display", fails, warns);
		++nbr_params_checked;
	}
	for (const auto &f : fails)
	{
		r.fail(f);
	}
	if (!warns.empty())
	{
		r.warn(std::to_string(warns.size()) + " texts longer than the old SDK sizes, e.g. " + first_items(warns, 2));
	}
	r.note("every text terminated, nothing written past it (" + std::to_string(nbr_params_checked) +
	       " parameters, " + std::to_string(e->numPrograms) + " programs)");
}

void check_pins(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 512, false);
	if (!p)
	{
		return;
	}
	const vst2::AEffect *e = p->effect();
	int answered = 0;
	for (int dir = 0; dir < 2; ++dir)
	{
		const int n = dir == 0 ? e->numInputs : e->numOutputs;
		const char *kind = dir == 0 ? "input" : "output";
		std::vector<vst2::int32> flags(std::size_t(n), 0);
		for (int i = 0; i < n; ++i)
		{
			vst2::VstPinProperties pin;
			std::memset(&pin, 0xA5, sizeof(pin));
			const auto res = p->dispatch(dir == 0 ? vst2::effGetInputProperties : vst2::effGetOutputProperties, i, 0,
			                             &pin);
			if (res == 0)
			{
				continue;
			}
			++answered;
			flags[std::size_t(i)] = pin.flags;
			const std::string what = std::string(kind) + " pin " + std::to_string(i);
			if (memchr(pin.label, 0, sizeof(pin.label)) == nullptr)
			{
				r.fail(what + " label is not terminated within 64 bytes");
			}
			if ((pin.flags & ~7) != 0)
			{
				r.warn(what + basic::c_format(" has unknown flag bits 0x%X", unsigned(pin.flags)));
			}
			bool future_touched = false;
			for (unsigned char c : pin.future)
			{
				future_touched = future_touched || c != 0xA5;
			}
			if (future_touched)
			{
				r.warn(what + " wrote the reserved bytes after shortLabel");
			}
		}
		// A stereo pin needs its partner: the next pin for an even index,
		// a stereo pin before it for an odd one.
		for (int i = 0; i < n; ++i)
		{
			if ((flags[std::size_t(i)] & vst2::kVstPinIsStereo) == 0)
			{
				continue;
			}
			const bool paired = i % 2 == 0 ? i + 1 < n : (flags[std::size_t(i - 1)] & vst2::kVstPinIsStereo) != 0;
			if (!paired)
			{
				r.warn(std::string(kind) + " pin " + std::to_string(i) + " is marked stereo but has no partner");
			}
		}
	}
	// Out-of-range pins must be refused without a crash.
	vst2::VstPinProperties pin{};
	p->dispatch(vst2::effGetInputProperties, e->numInputs + 7, 0, &pin);
	p->dispatch(vst2::effGetOutputProperties, -1, 0, &pin);
	r.note(answered > 0 ? std::to_string(answered) + " pins described" : "no pin properties (hosts use defaults)");
}

} // namespace

void add_entry_checks(std::vector<Check> &c)
{
	c.push_back({"entry.symbols", "entry symbols exported", check_symbols});
	c.push_back({"entry.callbacks", "only audioMasterVersion before the entry returns", check_callbacks});
	c.push_back({"entry.version0", "a host answering version 0", check_version0});
	c.push_back({"entry.record", "the record's fields, and the host's fields left alone", check_record});
	c.push_back({"entry.strings", "texts terminated, nothing written past them", check_strings});
	c.push_back({"entry.pins", "pin properties", check_pins});
}

} // namespace plughost
