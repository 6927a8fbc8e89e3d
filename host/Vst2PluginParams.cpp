// Parameters of the host binding: texts, properties, automation and the writers' commands.
#include "host/Vst2Plugin.h"

#include <cmath>
#include <cstring>
#include <map>

#include "basic/StrFnc.h"
#include "plegg/DspInterface.h"
#include "plegg/GuiInterface.h"
#include "plegg/MidiMgr.h"
#include "plegg/NormalizedParamInterface.h"
#include "sys/TimeStamp.h"

namespace plegg
{

namespace
{

constexpr long TEXT_LIMIT = 23;

} // namespace

// --- Parameters ---

float Vst2Plugin::getParameter(vst2::int32 index)
{
	if (!check_param_index(index))
		return 0;
	return dsp->get_param_ref(index).get_norm();
}

void Vst2Plugin::setParameter(vst2::int32 index, float value)
{
	if (!check_param_index(index) || std::isnan(value))
		return;
	set_param_pi(index, sanitize_norm(value), PRIO_HOST_PARAM);
}

void Vst2Plugin::getParameterName(vst2::int32 index, char *text)
{
	if (check_param_index(index))
		dsp->get_param_ref(index).get_name(text, TEXT_LIMIT);
}

void Vst2Plugin::getParameterLabel(vst2::int32 index, char *text)
{
	if (check_param_index(index))
		dsp->get_param_ref(index).get_unit(text, TEXT_LIMIT);
}

void Vst2Plugin::getParameterDisplay(vst2::int32 index, char *text)
{
	if (!check_param_index(index))
		return;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	p.do_print_val(text, TEXT_LIMIT, p.get_val());
}

bool Vst2Plugin::string2parameter(vst2::int32 index, char *text)
{
	if (text == nullptr)
		return true;
	if (!check_param_index(index))
		return false;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	bool ok = false;
	const double v = p.do_scan_val(text, ok);
	if (!ok || !std::isfinite(v))
		return false;
	const float n = p.normalize_val(v);
	if (std::isnan(n))
		return false;
	setParameter(index, n);
	return true;
}

bool Vst2Plugin::canParameterBeAutomated(vst2::int32 index)
{
	if (!check_param_index(index))
		return true;
	return dsp->get_param_ref(index).get_automation_priority() <= automation_limit.load(std::memory_order_relaxed);
}

bool Vst2Plugin::getParameterProperties(vst2::int32 index, vst2::VstParameterProperties *props)
{
	if (!check_param_index(index))
		return false;
	const NormalizedParamInterface &p = dsp->get_param_ref(index);
	props->stepFloat = 0;
	props->smallStepFloat = 0;
	props->largeStepFloat = 0;
	props->flags = 0;
	props->minInteger = 0;
	props->maxInteger = 0;
	props->stepInteger = 0;
	props->largeStepInteger = 0;
	std::memset(props->label, 0, sizeof(props->label));
	p.get_name(props->label, sizeof(props->label));
	std::memset(props->shortLabel, 0, sizeof(props->shortLabel));
	basic::strncpy_0(props->shortLabel, props->label, 8);
	// The reserved bytes at the end are left alone: some hosts declare the
	// record 4 bytes shorter, and writing them would run past their copy.
	if (p.get_range_type() == 1)
	{
		int lo = static_cast<int>(std::floor(p.denormalize_val(0) + 0.5));
		int hi = static_cast<int>(std::floor(p.denormalize_val(1) + 0.5));
		if (lo > hi)
			std::swap(lo, hi);
		if (hi - lo == 1)
			props->flags = vst2::kVstParameterIsSwitch;
		else
		{
			props->minInteger = lo;
			props->maxInteger = hi;
			props->flags = vst2::kVstParameterUsesIntegerMinMax;
		}
	}
	else
		props->flags = vst2::kVstParameterCanRamp;
	return true;
}

void Vst2Plugin::compute_automation_limit()
{
	const int n = getNumAutomatableParameters();
	if (n <= 0)
		return;
	std::map<int, int> groups; // group -> count, ascending
	for (int i = 0; i < nbr_param; ++i)
		++groups[dsp->get_param_ref(i).get_automation_priority()];
	int sum = 0;
	for (const auto &[group, count] : groups)
	{
		sum += count;
		if (sum > n)
			break;
		automation_limit.store(group, std::memory_order_relaxed);
	}
}

// --- Commands of the editor and the MIDI manager ---

bool Vst2Plugin::is_param_free(int index, int priority)
{
	return check_param_index(index) && prio_list.is_free(index, sys::get_time_stamp(), priority);
}

void Vst2Plugin::reserve_param(int index, int priority)
{
	if (check_param_index(index))
		prio_list.get(index, sys::get_time_stamp(), priority);
}

void Vst2Plugin::release_param(int index, int priority)
{
	if (check_param_index(index))
		prio_list.release(index, priority);
}

bool Vst2Plugin::set_param_pi(long index, float norm, int priority)
{
	if (!check_param_index(index) || std::isnan(norm))
		return false;
	norm = sanitize_norm(norm);
	const int i = static_cast<int>(index);
	if (!prio_list.get(i, sys::get_time_stamp(), priority))
		return false;
	bank[getProgram()].set_parameter(i, norm);
	dsp->get_param_ref(i).change_norm(norm);
	if (gui != nullptr)
		gui->set_param(i, norm, priority);
	return true;
}

bool Vst2Plugin::set_param_pi_and_host(long index, float norm, int priority)
{
	if (!set_param_pi(index, norm, priority))
		return false;
	if (midi_mgr != nullptr)
		midi_mgr->param_to_midi_out(0, static_cast<int>(index), sanitize_norm(norm));
	call_host(vst2::audioMasterAutomate, static_cast<vst2::int32>(index), 0, nullptr, sanitize_norm(norm));
	updateDisplay();
	return true;
}

} // namespace plegg
