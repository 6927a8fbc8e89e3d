#include "tools/plughost/Describe.h"

#include "basic/CLocale.h"

namespace plughost
{

namespace
{

std::string join_bits(vst2::int32 flags, const char *const *names, int nbr)
{
	std::string out;
	for (int b = 0; b < 32; ++b)
	{
		if ((flags & (vst2::int32(1) << b)) == 0)
		{
			continue;
		}
		if (!out.empty())
		{
			out += " | ";
		}
		out += (b < nbr && names[b] != nullptr) ? std::string(names[b]) : "bit" + std::to_string(b);
	}
	return out.empty() ? "none" : out;
}

} // namespace

std::string flags_text(vst2::int32 flags)
{
	static const char *const names[] = {
		"HasEditor", "HasClip", "HasVu", "CanMono", "CanReplacing", "ProgramChunks", nullptr, nullptr,
		"IsSynth", "NoSoundInStop", nullptr, nullptr, "CanDoubleReplacing",
	};
	return basic::c_format("0x%X ", unsigned(flags)) + join_bits(flags, names, 13);
}

const char *category_text(vst2::intptr category)
{
	static const char *const names[] = {
		"Unknown", "Effect", "Synth", "Analysis", "Mastering", "Spacializer",
		"RoomFx", "SurroundFx", "Restoration", "OfflineProcess", "Shell", "Generator",
	};
	return (category >= 0 && category < 12) ? names[category] : "out of range";
}

std::string four_cc_text(vst2::int32 id)
{
	const unsigned u = static_cast<unsigned>(id);
	char c[4] = {char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
	bool printable = true;
	for (char ch : c)
	{
		printable = printable && ch >= 0x20 && ch < 0x7F;
	}
	std::string hex = basic::c_format("0x%08X (%d)", u, int(id));
	if (!printable)
	{
		return hex;
	}
	std::string text(1, '\'');
	text.append(c, 4).append("' ").append(hex);
	return text;
}

std::string pin_flags_text(vst2::int32 flags)
{
	static const char *const names[] = {"IsActive", "IsStereo", "UseSpeaker"};
	return join_bits(flags, names, 3);
}

std::string param_flags_text(vst2::int32 flags)
{
	static const char *const names[] = {
		"IsSwitch", "UsesIntegerMinMax", "UsesFloatStep", "UsesIntStep",
		"SupportsDisplayIndex", "SupportsDisplayCategory", "CanRamp",
	};
	return join_bits(flags, names, 7);
}

const char *host_opcode_name(vst2::int32 opcode)
{
	static const char *const names[] = {
		"audioMasterAutomate", "audioMasterVersion", "audioMasterCurrentId", "audioMasterIdle",
		"audioMasterPinConnected", "opcode 5", "audioMasterWantMidi", "audioMasterGetTime",
		"audioMasterProcessEvents", "audioMasterSetTime", "audioMasterTempoAt",
		"audioMasterGetNumAutomatableParameters", "audioMasterGetParameterQuantization",
		"audioMasterIOChanged", "audioMasterNeedIdle", "audioMasterSizeWindow", "audioMasterGetSampleRate",
		"audioMasterGetBlockSize", "audioMasterGetInputLatency", "audioMasterGetOutputLatency",
		"audioMasterGetPreviousPlug", "audioMasterGetNextPlug", "audioMasterWillReplaceOrAccumulate",
		"audioMasterGetCurrentProcessLevel", "audioMasterGetAutomationState", "audioMasterOfflineStart",
		"audioMasterOfflineRead", "audioMasterOfflineWrite", "audioMasterOfflineGetCurrentPass",
		"audioMasterOfflineGetCurrentMetaPass", "audioMasterSetOutputSampleRate",
		"audioMasterGetOutputSpeakerArrangement", "audioMasterGetVendorString",
		"audioMasterGetProductString", "audioMasterGetVendorVersion", "audioMasterVendorSpecific",
		"audioMasterSetIcon", "audioMasterCanDo", "audioMasterGetLanguage", "audioMasterOpenWindow",
		"audioMasterCloseWindow", "audioMasterGetDirectory", "audioMasterUpdateDisplay",
		"audioMasterBeginEdit", "audioMasterEndEdit",
	};
	return (opcode >= 0 && opcode < int(sizeof(names) / sizeof(names[0]))) ? names[opcode] : "unknown opcode";
}

} // namespace plughost
