// plughost info PLUGIN.so: everything a host can learn about a plug-in
// without processing audio.
#include "tools/plughost/Args.h"
#include "tools/plughost/CanDoList.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/Describe.h"
#include "tools/plughost/PluginInstance.h"

#include "basic/CLocale.h"

#include <cstdio>
#include <cstring>

namespace plughost
{

namespace
{

void print_field(const char *name, const std::string &value)
{
	std::printf("%-16s %s\n", name, value.c_str());
}

// A text field, with the problems the guarded buffer showed.
std::string text_field(const GuardedText &t)
{
	if (!t.written())
	{
		return "(not answered)";
	}
	std::string s = quote_text(t.text);
	if (!t.terminated)
	{
		s += "  (NOT TERMINATED)";
	}
	if (!t.guard_ok)
	{
		s += "  (WROTE PAST THE BUFFER)";
	}
	return s;
}

void print_pins(PluginInstance &p, bool output)
{
	const int n = output ? p.effect()->numOutputs : p.effect()->numInputs;
	for (int i = 0; i < n; ++i)
	{
		vst2::VstPinProperties pin{};
		const auto r = p.dispatch(output ? vst2::effGetOutputProperties : vst2::effGetInputProperties, i, 0, &pin);
		if (r == 0)
		{
			std::printf("  %s %d: no properties\n", output ? "out" : "in ", i);
			continue;
		}
		pin.label[sizeof(pin.label) - 1] = '\0';
		const std::string short_label(pin.shortLabel, strnlen(pin.shortLabel, sizeof(pin.shortLabel)));
		std::printf("  %s %d: %s short %s flags %s arrangement %d\n", output ? "out" : "in ", i,
		            quote_text(pin.label).c_str(), quote_text(short_label).c_str(),
		            pin_flags_text(pin.flags).c_str(), pin.arrangementType);
	}
}

} // namespace

int cmd_info(const std::vector<std::string> &argv)
{
	Args args;
	std::string err;
	if (!args.parse(argv, {{"rate", true}, {"block", true}}, err) || args.positional().size() != 1)
	{
		std::fprintf(stderr, "%s\nusage: plughost info PLUGIN.so [--rate HZ] [--block FRAMES]\n",
		             err.empty() ? "one plug-in file expected" : err.c_str());
		return 2;
	}
	double rate = 44100;
	long block = 1024;
	if (!args.get_double("rate", rate, 1, 1e6, err) || !args.get_long("block", block, 1, 1 << 20, err))
	{
		std::fprintf(stderr, "%s\n", err.c_str());
		return 2;
	}
	const std::string path = args.positional()[0];
	auto lib = PluginLibrary::open(path, err);
	if (!lib)
	{
		std::fprintf(stderr, "%s\n", err.c_str());
		return 1;
	}
	auto inst = PluginInstance::create(lib, err, [&](HostContext &h) {
		h.sample_rate = rate;
		h.block_size = vst2::int32(block);
	});
	if (!inst)
	{
		std::fprintf(stderr, "%s\n", err.c_str());
		return 1;
	}
	PluginInstance &p = *inst;
	vst2::AEffect *e = p.effect();

	std::string entry = lib->entry_name();
	entry += std::string(" (exports:") + (lib->has_vst_plugin_main() ? " VSTPluginMain" : "") +
	         (lib->has_main() ? " main" : "") + (lib->has_main_plugin() ? " main_plugin" : "") + ")";
	print_field("plug-in", path);
	print_field("entry", entry);
	std::string during;
	for (int i = 0; i < p.host().nbr_entry_calls(); ++i)
	{
		during += (i > 0 ? ", " : "") + std::string(host_opcode_name(p.host().entry_call(i)));
	}
	print_field("entry callbacks", during.empty() ? "none" : during);

	p.open();
	p.set_sample_rate(rate);
	p.set_block_size(vst2::int32(block));

	print_field("effect name", text_field(p.text(vst2::effGetEffectName)));
	print_field("vendor", text_field(p.text(vst2::effGetVendorString)));
	print_field("product", text_field(p.text(vst2::effGetProductString)));
	const auto vv = p.dispatch(vst2::effGetVendorVersion);
	print_field("vendor version", basic::c_format("%ld (0x%lX)", long(vv), (unsigned long)vv));
	print_field("VST version", std::to_string(long(p.dispatch(vst2::effGetVstVersion))));
	const auto cat = p.dispatch(vst2::effGetPlugCategory);
	print_field("category", std::to_string(long(cat)) + " (" + category_text(cat) + ")");
	print_field("unique id", four_cc_text(e->uniqueID));
	print_field("version", basic::c_format("%d (0x%X)", e->version, unsigned(e->version)));
	print_field("flags", flags_text(e->flags));
	print_field("inputs", std::to_string(e->numInputs));
	print_field("outputs", std::to_string(e->numOutputs));
	print_field("initial delay", std::to_string(e->initialDelay) + " frames");
	print_field("tail size", std::to_string(long(p.dispatch(vst2::effGetTailSize))) + " frames");
	print_field("io ratio", basic::c_format("%g", double(e->ioRatio)));
	print_field("process", std::string(e->process != nullptr ? "process " : "") +
	                           (e->processReplacing != nullptr ? "processReplacing " : "") +
	                           (e->processDoubleReplacing != nullptr ? "processDoubleReplacing" : ""));
	print_field("keys required", std::to_string(long(p.dispatch(vst2::effKeysRequired))));

	std::printf("input pins       %d\n", e->numInputs);
	print_pins(p, false);
	std::printf("output pins      %d\n", e->numOutputs);
	print_pins(p, true);

	const auto cur = p.program();
	std::printf("programs         %d (current %ld)\n", e->numPrograms, long(cur));
	for (int i = 0; i < e->numPrograms; ++i)
	{
		const GuardedText t = p.text(vst2::effGetProgramNameIndexed, i);
		std::printf("  %3d %s\n", i, text_field(t).c_str());
	}
	std::printf("current program  %s\n", text_field(p.text(vst2::effGetProgramName)).c_str());

	std::printf("parameters       %d\n", e->numParams);
	std::printf("  %4s %-24s %-10s %-16s %-8s %s\n", "idx", "name", "value", "display", "unit", "automatable");
	for (int i = 0; i < e->numParams; ++i)
	{
		const GuardedText name = p.text(vst2::effGetParamName, i);
		const GuardedText disp = p.text(vst2::effGetParamDisplay, i);
		const GuardedText label = p.text(vst2::effGetParamLabel, i);
		const float v = p.get_parameter(i);
		const auto autom = p.dispatch(vst2::effCanBeAutomated, i);
		std::printf("  %4d %-24s %-10s %-16s %-8s %s\n", i, text_field(name).c_str(),
		            basic::c_format("%.6f", double(v)).c_str(), text_field(disp).c_str(),
		            text_field(label).c_str(), autom != 0 ? "yes" : "no");
		vst2::VstParameterProperties props{};
		if (p.dispatch(vst2::effGetParameterProperties, i, 0, &props) != 0)
		{
			props.label[sizeof(props.label) - 1] = '\0';
			std::string line = "flags " + param_flags_text(props.flags);
			if (props.flags & vst2::kVstParameterUsesIntegerMinMax)
			{
				line += basic::c_format(", integer %d to %d", props.minInteger, props.maxInteger);
			}
			if (props.flags & vst2::kVstParameterUsesFloatStep)
			{
				line += basic::c_format(", steps %g / %g / %g", double(props.stepFloat),
				                        double(props.smallStepFloat), double(props.largeStepFloat));
			}
			if (props.flags & vst2::kVstParameterSupportsDisplayCategory)
			{
				props.categoryLabel[sizeof(props.categoryLabel) - 1] = '\0';
				line += basic::c_format(", category %d ", props.category) + quote_text(props.categoryLabel);
			}
			std::printf("         properties: %s label %s\n", line.c_str(), quote_text(props.label).c_str());
		}
	}

	std::printf("can do\n");
	for (int i = 0; i < kNbrPlugCanDos; ++i)
	{
		const auto r = p.dispatch(vst2::effCanDo, 0, 0, const_cast<char *>(kPlugCanDos[i]));
		std::printf("  %-30s %s\n", kPlugCanDos[i], can_do_answer_text(long(r)));
	}
	p.close();
	return 0;
}

} // namespace plughost
