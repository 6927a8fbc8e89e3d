// Programs of the host binding: selection, names, chunks and the factory bank.
#include "host/Vst2Plugin.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "basic/StrFnc.h"
#include "basic/BigEndian.h"
#include "plegg/DspInterface.h"
#include "plegg/GuiInterface.h"
#include "plegg/MidiMgr.h"
#include "plegg/YurkFileOp.h"
#include "sys/Resource.h"
#include "sys/TimeStamp.h"

namespace plegg
{

namespace
{

constexpr long TEXT_LIMIT = 23;

} // namespace

// --- Programs ---

void Vst2Plugin::setProgram(vst2::int32 index)
{
	if (index < 0 || index >= bank.get_nbr_prog())
		return;
	curProgram.store(index, std::memory_order_relaxed);
	set_program_pi_and_host(bank[index], PRIO_HOST_PROGRAM, true, false);
}

void Vst2Plugin::setProgramName(char *name)
{
	std::lock_guard<std::mutex> lock(mutex);
	bank[getProgram()].set_name(name);
	dsp->set_program_name(name);
}

void Vst2Plugin::getProgramName(char *text)
{
	std::lock_guard<std::mutex> lock(mutex);
	basic::strncpy_0(text, bank[getProgram()].get_name().c_str(), TEXT_LIMIT);
}

bool Vst2Plugin::getProgramNameIndexed(vst2::int32 category, vst2::int32 index, char *text)
{
	(void)category;
	if (index < 0 || index >= bank.get_nbr_prog())
		return false;
	std::lock_guard<std::mutex> lock(mutex);
	basic::strncpy_0(text, bank[index].get_name().c_str(), 64);
	return true;
}

bool Vst2Plugin::copyProgram(vst2::int32 destination)
{
	if (destination < 0 || destination >= bank.get_nbr_prog())
		return false;
	std::lock_guard<std::mutex> lock(mutex);
	const int cur = getProgram();
	if (destination != cur)
		bank[destination] = bank[cur];
	return true;
}

void Vst2Plugin::set_program_pi_and_host(const ProgramSlot &slot, int priority, bool release, bool notify_host)
{
	const double now = sys::get_time_stamp();
	const int cur = getProgram();
	ProgramSlot &target = bank[cur];
	{
		std::lock_guard<std::mutex> lock(mutex);
		if (&slot != &target)
		{
			// The bank's structure never changes: copy what fits, value by value.
			if (slot.has_same_structure(target))
				target = slot;
			else
			{
				const int n = std::min(slot.get_nbr_param(), target.get_nbr_param());
				for (int i = 0; i < n; ++i)
					target.set_parameter(i, sanitize_norm(slot.get_parameter(i)));
				target.set_name(slot.get_name());
			}
		}
		dsp->set_program_name(target.get_name());
	}
	dsp->do_set_program(target);
	const int nbr = std::min(target.get_nbr_param(), nbr_param);
	for (int i = 0; i < nbr; ++i)
	{
		if (!prio_list.get(i, now, priority))
			continue;
		const float v = target.get_parameter(i);
		if (gui != nullptr)
			gui->set_param(i, v, priority);
		if (midi_mgr != nullptr)
			midi_mgr->param_to_midi_out(0, i, v);
		if (notify_host)
			call_host(vst2::audioMasterAutomate, i, 0, nullptr, v);
		if (release)
			prio_list.release(i, priority);
	}
	updateDisplay();
}

// --- Chunks ---

vst2::int32 Vst2Plugin::getChunk(void **data, bool is_preset)
{
	std::lock_guard<std::mutex> lock(mutex);
	const long size = is_preset ? bank[getProgram()].get_object_size() : bank.get_object_size();
	if (size < 1 || size > 0x7FFFFFFF)
		return 0;
	std::vector<unsigned char> &buf = is_preset ? prog_chunk : bank_chunk;
	// A new zero-filled buffer each time: no stale bytes reach session files,
	// and the previous one stays valid until now, as hosts expect.
	std::vector<unsigned char> fresh(static_cast<std::size_t>(size), 0);
	const int status = is_preset ? bank[getProgram()].write_to_memory(fresh.data()) : bank.write_to_memory(fresh.data());
	if (status != 0)
		return 0;
	buf.swap(fresh);
	*data = buf.data();
	return static_cast<vst2::int32>(size);
}

namespace
{

// A program image keeps the structure of the program it replaces: the same
// counts, the name field as written, finite values.
bool is_slot_image_acceptable(const ProgramSlot &img, const ProgramSlot &cur, const unsigned char *raw)
{
	if (!img.has_same_structure(cur))
		return false;
	if (raw[4] != 0 || raw[5] != ProgramSlot::NAME_FIELD_LEN)
		return false;
	for (int i = 0; i < img.get_nbr_param(); ++i)
		if (!std::isfinite(img.get_parameter(i)))
			return false;
	return true;
}

} // namespace

vst2::int32 Vst2Plugin::setChunk(void *data, vst2::int32 size, bool is_preset)
{
	if (data == nullptr || size <= 0)
		return 0;
	const auto *bytes = static_cast<const unsigned char *>(data);
	std::lock_guard<std::mutex> lock(mutex);
	if (is_preset)
	{
		ProgramSlot &cur = bank[getProgram()];
		if (size != cur.get_object_size())
			return 0;
		ProgramSlot img;
		if (img.read_from_memory(bytes, size) != 0 || !is_slot_image_acceptable(img, cur, bytes))
			return 0;
		for (int i = 0; i < img.get_nbr_param(); ++i)
			img.set_parameter(i, sanitize_norm(img.get_parameter(i)));
		cur = img;
		return 1;
	}
	if (size != bank.get_object_size())
		return 0;
	BankManager img;
	if (img.read_from_memory(bytes, size) != 0 || !img.has_same_structure(bank))
		return 0;
	const long stride = bank[0].get_object_size();
	if (static_cast<long>(basic::read_be32(bytes + 4)) != stride)
		return 0;
	for (int p = 0; p < img.get_nbr_prog(); ++p)
		if (!is_slot_image_acceptable(img[p], bank[p], bytes + 8 + p * stride))
			return 0;
	for (int p = 0; p < img.get_nbr_prog(); ++p)
	{
		for (int i = 0; i < img[p].get_nbr_param(); ++i)
			img[p].set_parameter(i, sanitize_norm(img[p].get_parameter(i)));
		bank[p] = img[p];
	}
	return 1;
}

// --- Files ---

std::string Vst2Plugin::get_plugin_dir()
{
	std::string dir = do_get_plugin_dir();
	if (!dir.empty() && !rel_plugin_dir.empty())
		dir += "/" + rel_plugin_dir;
	return dir;
}

void Vst2Plugin::set_rel_plugin_dir(const char *dir)
{
	rel_plugin_dir = dir != nullptr ? dir : "";
}

int Vst2Plugin::load_bank_from_rsc(const char *name, BankManager &bank)
{
	std::size_t size = 0;
	const void *data = sys::get_resource("YURK", name, size);
	if (data == nullptr)
		return YurkFileOp::ERR_NO_RESOURCE;
	return YurkFileOp::load_bank_mem(data, static_cast<long>(size), bank, false);
}

bool Vst2Plugin::is_bank_acceptable(const BankManager &bank, int nbr_param)
{
	if (bank.get_nbr_prog() < 1)
		return false;
	const long extra = bank[0].get_extra_byte_size();
	for (int p = 0; p < bank.get_nbr_prog(); ++p)
	{
		if (bank[p].get_nbr_param() != nbr_param || bank[p].get_extra_byte_size() != extra)
			return false;
		for (int i = 0; i < nbr_param; ++i)
		{
			const float v = bank[p].get_parameter(i);
			if (!std::isfinite(v) || v < 0 || v > 1)
				return false;
		}
	}
	return true;
}

} // namespace plegg
