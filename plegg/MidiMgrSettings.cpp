// The MIDI manager's part of the setting file:
//
//   midi =
//   {
//      // Bind param with cc_, rpn_ or nrpn_ as prefix + CC/(N)RPN #.
//      control_map =
//      {
//         id_0 = nrpn_0   // Cutoff Freq
//         ...
//      }
//      port_in = { name = ... }
//      port_out = { name = ... }
//   }
#include "plegg/MidiMgr.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <strings.h>
#include <vector>

#include "basic/CLocale.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"
#include "plegg/DspInterface.h"
#include "plegg/MidiDevSelectorInterface.h"
#include "plegg/NormalizedParamInterface.h"

namespace plegg
{

namespace
{

const char KEY_MIDI[] = "midi";
const char KEY_CONTROL_MAP[] = "control_map";
const char PREFIX_ID[] = "id_";
const char PREFIX_CC[] = "cc_";
const char PREFIX_RPN[] = "rpn_";
const char PREFIX_NRPN[] = "nrpn_";
constexpr int MAX_CC = 127;
constexpr int MAX_XRPN = 16383;
constexpr long NAME_BUF_LEN = 128;

bool has_prefix_no_case(const std::string &text, const char *prefix, std::size_t &len)
{
	len = std::strlen(prefix);
	return text.size() >= len && strncasecmp(text.c_str(), prefix, len) == 0;
}

// A decimal number of at least one digit and nothing else, at most max.
bool parse_number(const std::string &text, std::size_t pos, long max, long &value)
{
	if (pos >= text.size())
		return false;
	long v = 0;
	for (std::size_t i = pos; i < text.size(); ++i)
	{
		const char c = text[i];
		if (c < '0' || c > '9')
			return false;
		v = v * 10 + (c - '0');
		if (v > max)
			return false;
	}
	value = v;
	return true;
}

} // namespace

bool MidiMgr::decode_parma_conf_key_name(const std::string &name, int &index)
{
	std::size_t len = 0;
	long v = 0;
	if (!has_prefix_no_case(name, PREFIX_ID, len) || !parse_number(name, len, INT_MAX, v))
		return false;
	index = static_cast<int>(v);
	return true;
}

bool MidiMgr::decode_param_conf_key_content(const std::string &content, int &type, int &number)
{
	std::size_t len = 0;
	long v = 0;
	if (has_prefix_no_case(content, PREFIX_CC, len))
	{
		if (!parse_number(content, len, MAX_CC, v))
			return false;
		type = static_cast<int>(v);
		number = 0;
		return true;
	}
	if (has_prefix_no_case(content, PREFIX_RPN, len))
		type = CTRL_TYPE_RPN;
	else if (has_prefix_no_case(content, PREFIX_NRPN, len))
		type = CTRL_TYPE_NRPN;
	else
		return false;
	if (!parse_number(content, len, MAX_XRPN, v))
		return false;
	number = static_cast<int>(v);
	return true;
}

bool MidiMgr::load_param_conf(const basic::ConfKeyData &key, int &index, long &ctrl_id)
{
	const auto *text = dynamic_cast<const basic::ConfKeyContentString *>(&key.use_content());
	if (text == nullptr)
		return false;
	int type = 0;
	int number = 0;
	if (!decode_parma_conf_key_name(key.get_name(), index) || !decode_param_conf_key_content(text->get_text(), type, number))
		return false;
	ctrl_id = encode_ctrl_id(type, number);
	return true;
}

int MidiMgr::save_param_map(basic::ConfKeyMulti &midi) const
{
	basic::ConfKeyMulti cmap(KEY_CONTROL_MAP);
	cmap.set_comment(std::string("Bind param with ") + PREFIX_CC + ", " + PREFIX_RPN + " or " + PREFIX_NRPN + " as prefix + CC/(N)RPN #.");

	std::vector<ParamMapping> list;
	for (const auto &[ctrl_id, param] : param_map.get_map())
	{
		ParamMapping m;
		m.index = param;
		decode_ctrl_id(m.type, m.number, ctrl_id);
		list.push_back(m);
	}
	std::sort(list.begin(), list.end(), ParamMappingPred());

	const int nbr_param = dsp != nullptr ? dsp->get_nbr_param() : 0;
	for (const ParamMapping &m : list)
	{
		std::string content;
		if (m.type == CTRL_TYPE_NRPN)
			content = basic::c_format("%s%d", PREFIX_NRPN, m.number);
		else if (m.type == CTRL_TYPE_RPN)
			content = basic::c_format("%s%d", PREFIX_RPN, m.number);
		else
			content = basic::c_format("%s%d", PREFIX_CC, m.type);
		basic::ConfKeyData key(basic::c_format("%s%d", PREFIX_ID, m.index), content);
		if (m.index >= 0 && m.index < nbr_param)
		{
			char name[NAME_BUF_LEN] = {};
			dsp->get_param_ref(m.index).get_name(name, NAME_BUF_LEN);
			key.set_comment(name);
		}
		cmap.add_unique(key);
	}
	midi.add_unique(cmap);
	return 0;
}

int MidiMgr::save_settings(basic::ConfKeyMulti &parent)
{
	basic::ConfKeyMulti midi(KEY_MIDI);
	int ret = save_param_map(midi);
	if (ret == 0 && dev_selector != nullptr)
		ret = dev_selector->save_settings(midi);
	if (ret == 0)
		parent.add_unique(midi);
	return ret;
}

void MidiMgr::load_param_map(const basic::ConfKeyMulti &midi)
{
	const long pos = midi.find_index_multi(KEY_CONTROL_MAP, 0);
	if (pos < 0)
		return;
	const auto &cmap = static_cast<const basic::ConfKeyMulti &>(midi.use_key(pos));
	std::vector<std::pair<int, long>> bindings;
	for (long i = 0; i < cmap.get_nbr_keys(); ++i)
	{
		const auto *key = dynamic_cast<const basic::ConfKeyData *>(&cmap.use_key(i));
		int index = 0;
		long ctrl_id = 0;
		if (key != nullptr && load_param_conf(*key, index, ctrl_id))
			bindings.emplace_back(index, ctrl_id);
	}
	if (bindings.empty())
		return;
	// One table for the whole load; a later key wins, keys beyond the
	// table's capacity are skipped.
	param_map.edit([&bindings](MidiParamMap::Table &t) {
		for (const auto &[index, ctrl_id] : bindings)
			t.associate(index, ctrl_id);
		return true;
	});
}

int MidiMgr::load_settings(const basic::ConfKeyMulti &parent)
{
	// Only a section is taken: a data key of that name is ignored.
	const long pos = parent.find_index_multi(KEY_MIDI, 0);
	if (pos < 0)
		return 0;
	const auto &midi = static_cast<const basic::ConfKeyMulti &>(parent.use_key(pos));
	load_param_map(midi);
	return dev_selector != nullptr ? dev_selector->load_settings(midi) : 0;
}

} // namespace plegg
