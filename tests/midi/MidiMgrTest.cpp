// Controller bindings, learning, MIDI out of parameters and the setting
// file keys of the MIDI manager.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "basic/ConfKeyData.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"
#include "tests/midi/MidiFakes.h"

using miditest::MgrRig;
using miditest::RecordingOut;
using miditest::TempConfig;
using plegg::MidiMgr;
using plegg::MidiParamMap;
using plegg::PersistentMidiSettings;

namespace
{

constexpr long NRPN = 99L * 65536;
constexpr long RPN = 101L * 65536;
constexpr long cc(int n) { return static_cast<long>(n) << 16; }

using Ev = std::array<int, 4>;
using Map = std::map<long, int>;

std::unique_ptr<basic::ConfKeyMulti> parse(const std::string &text)
{
	int status = 0;
	std::unique_ptr<basic::ConfKeyInterface> k(basic::ConfKeyFactory::get_instance().create_key(text, status));
	EXPECT_EQ(status, 0) << text;
	auto *m = dynamic_cast<basic::ConfKeyMulti *>(k.get());
	EXPECT_NE(m, nullptr);
	if (m == nullptr)
		return std::make_unique<basic::ConfKeyMulti>("root");
	k.release();
	return std::unique_ptr<basic::ConfKeyMulti>(m);
}

// A setting root holding a "midi" section with these control-map keys.
std::unique_ptr<basic::ConfKeyMulti> control_map(const std::string &keys)
{
	return parse("root =\n{\n midi =\n {\n  control_map =\n  {\n" + keys + "\n  }\n }\n}\n");
}

std::string to_text(const basic::ConfKeyInterface &k)
{
	std::ostringstream os;
	os << k;
	return os.str();
}

struct LearnRig : MgrRig
{
	LearnRig()
	{
		out.set_midi_mgr(*mgr);
		mgr->set_output_device(&out);
	}
	int learn(long ctrl, int value14 = 0)
	{
		int param = -9;
		float norm = -9;
		mgr->autobind_cc_2_param(ctrl, value14, param, norm);
		return param;
	}
	RecordingOut out;
};

} // namespace

TEST(MidiMgr, ControllerIds)
{
	EXPECT_EQ(MidiMgr::encode_ctrl_id(7, 5), cc(7));
	EXPECT_EQ(MidiMgr::encode_ctrl_id(99, 5), NRPN + 5);
	EXPECT_EQ(MidiMgr::encode_ctrl_id(101, 16383), RPN + 16383);
	int type = 0;
	int number = 0;
	MidiMgr::decode_ctrl_id(type, number, NRPN + 300);
	EXPECT_EQ(type, 99);
	EXPECT_EQ(number, 300);
	MidiMgr::decode_ctrl_id(type, number, cc(40));
	EXPECT_EQ(type, 40);
	EXPECT_EQ(number, 0);
}

TEST(MidiMgr, BindingInvariants)
{
	MgrRig r;
	r.mgr->set_default_nrpn_mapping();
	Map want;
	for (int i = 0; i < 8; ++i)
		want[NRPN + i] = i;
	EXPECT_EQ(r.mgr->get_param_mapping(), want);

	// CC 7 bound to 5, then given to 3: 5 loses it, 3's NRPN is freed.
	r.mgr->associate_param(5, cc(7));
	r.mgr->associate_param(3, 7, 0);
	want.erase(NRPN + 3);
	want.erase(NRPN + 5);
	want[cc(7)] = 3;
	EXPECT_EQ(r.mgr->get_param_mapping(), want);
	r.mgr->dissociate_param(3);
	want.erase(cc(7));
	EXPECT_EQ(r.mgr->get_param_mapping(), want);
	// Ids a table cannot hold, and negative parameters, are refused.
	r.mgr->associate_param(1, -5L);
	r.mgr->associate_param(1, 1L << 40);
	r.mgr->associate_param(-1, cc(9));
	EXPECT_EQ(r.mgr->get_param_mapping(), want);
}

TEST(MidiMgr, MapValues)
{
	MgrRig r;
	r.mgr->associate_param(2, cc(7));
	r.mgr->associate_param(9, NRPN + 200);
	int param = 0;
	float norm = 0;
	r.mgr->map_cc_2_param(cc(7), 16383, param, norm);
	EXPECT_EQ(param, 2);
	EXPECT_EQ(norm, 1.0f);
	r.mgr->map_cc_2_param(cc(7), 127 << 7, param, norm);
	EXPECT_EQ(norm, static_cast<float>(16256.0 / 16383));
	r.mgr->map_cc_2_param(cc(8), 100, param, norm);
	EXPECT_EQ(param, -1);
	EXPECT_EQ(norm, -1.0f);

	long ctrl = 0;
	int value14 = 0;
	r.mgr->map_param_2_cc(2, 0.5f, ctrl, value14);
	EXPECT_EQ(ctrl, cc(7));
	EXPECT_EQ(value14, 8192);
	r.mgr->map_param_2_cc(3, 0.5f, ctrl, value14);
	EXPECT_EQ(ctrl, -1);
	EXPECT_EQ(value14, -1);
}

TEST(MidiMgr, LearningReplacesBindingsAndSkipsNrpns)
{
	LearnRig r;
	r.mgr->set_default_nrpn_mapping();
	r.mgr->associate_param(5, cc(7));
	int p = 0;
	long c = 0;
	EXPECT_FALSE(r.mgr->get_latest_autobind_info(p, c));

	r.mgr->set_autobind_param(3);
	// An NRPN is never learnt but still moves the parameter bound to it.
	EXPECT_EQ(r.learn(NRPN + 1, 100), 1);
	EXPECT_FALSE(r.mgr->get_latest_autobind_info(p, c));
	// The controller just learnt moves its parameter with the same message.
	EXPECT_EQ(r.learn(cc(7), 300), 3);
	ASSERT_TRUE(r.mgr->get_latest_autobind_info(p, c));
	EXPECT_EQ(p, 3);
	EXPECT_EQ(c, cc(7));
	const Map m = r.mgr->get_param_mapping();
	EXPECT_EQ(m.at(cc(7)), 3);
	EXPECT_EQ(m.count(NRPN + 3), 0u);
	for (const auto &kv : m)
		EXPECT_NE(kv.second, 5);
	// Mode 1 (the default) stays armed: an RPN replaces the binding.
	EXPECT_EQ(r.mgr->get_autobind_param(), 3);
	EXPECT_EQ(r.learn(RPN + 1), 3);
	EXPECT_EQ(r.mgr->get_param_mapping().count(cc(7)), 0u);
	r.mgr->clear_latest_autobind_info();
	EXPECT_FALSE(r.mgr->get_latest_autobind_info(p, c));
	r.mgr->clear_cur_autobind();
	EXPECT_EQ(r.learn(cc(9)), -1);
}

TEST(MidiMgr, LearningInSingleModeDisarms)
{
	TempConfig cfg;
	LearnRig r;
	r.mgr->set_persistent_midi_settings("MidiMgrTest");
	ASSERT_EQ(r.mgr->use_persistent_midi_settings().set_autobind_mode(PersistentMidiSettings::AutobindMode_SINGLE), 0);
	r.mgr->set_autobind_param(4);
	EXPECT_EQ(r.learn(cc(20)), 4);
	EXPECT_EQ(r.mgr->get_autobind_param(), -1);
	EXPECT_EQ(r.learn(cc(21)), -1);
	EXPECT_EQ(r.mgr->get_param_mapping(), (Map{{cc(20), 4}}));
}

TEST(MidiMgr, LearningFailsQuietlyWhenItCannotBind)
{
	LearnRig r;
	// A full table: a new controller cannot be learnt, a known one can.
	std::string keys;
	for (int i = 0; i < MidiParamMap::CAPACITY + 3; ++i)
		keys += basic::c_format("id_%d = nrpn_%d\n", i, i);
	r.mgr->load_settings(*control_map(keys));
	Map m = r.mgr->get_param_mapping();
	EXPECT_EQ(m.size(), static_cast<std::size_t>(MidiParamMap::CAPACITY));
	EXPECT_EQ(m.count(NRPN + MidiParamMap::CAPACITY), 0u);
	r.mgr->set_autobind_param(1000);
	EXPECT_EQ(r.learn(cc(3)), -1);
	int p = 0;
	long c = 0;
	EXPECT_FALSE(r.mgr->get_latest_autobind_info(p, c));
	// Rebinding a parameter that has a controller needs no new entry.
	r.mgr->set_autobind_param(7);
	EXPECT_EQ(r.learn(cc(3)), 7);
	EXPECT_EQ(r.mgr->get_param_mapping().size(), static_cast<std::size_t>(MidiParamMap::CAPACITY));

	// Learning without any non-audio call in between uses up the spare
	// tables; arming again prepares new ones.
	LearnRig s;
	s.mgr->set_autobind_param(0);
	for (int i = 0; i < MidiParamMap::NBR_SPARES; ++i)
		EXPECT_EQ(s.learn(cc(10 + i)), 0);
	EXPECT_EQ(s.learn(cc(30)), -1);
	EXPECT_EQ(s.mgr->get_param_mapping(), (Map{{cc(10 + MidiParamMap::NBR_SPARES - 1), 0}}));
	s.mgr->set_autobind_param(0);
	EXPECT_EQ(s.learn(cc(30)), 0);
	// Moving the same controller again is not a new learn.
	for (int i = 0; i < 10; ++i)
		EXPECT_EQ(s.learn(cc(30)), 0);
}

TEST(MidiMgr, ParamToMidiOut)
{
	LearnRig r;
	r.mgr->associate_param(0, cc(7));
	r.mgr->associate_param(1, cc(40));
	r.mgr->associate_param(2, NRPN + 130);
	r.mgr->associate_param(3, RPN + 1);
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 0, 0.5f), 0);
	EXPECT_EQ(r.mgr->param_to_midi_out(1, 1, 1.0f), 0);
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 2, 0.0f), 0);
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 3, 1.0f), 0);
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 4, 1.0f), -2);
	const std::vector<Ev> want = {{0xB0, 7, 64, 0}, {0xB0, 39, 0, 0}, {0xB1, 40, 127, 0},
	                              {0xB0, 99, 1, 0}, {0xB0, 98, 2, 0}, {0xB0, 6, 0, 0}, {0xB0, 38, 0, 0},
	                              {0xB0, 101, 0, 0}, {0xB0, 100, 1, 0}, {0xB0, 6, 127, 0}, {0xB0, 38, 127, 0}};
	EXPECT_EQ(r.out.events, want);
	// A failed send, or no output at all.
	r.out.room = r.out.events.size();
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 0, 0.5f), -1);
	r.mgr->set_output_device(nullptr);
	EXPECT_EQ(r.mgr->param_to_midi_out(0, 0, 0.5f), -1);
	EXPECT_EQ(r.mgr->do_send_midi_rt_cmd(0xF8), 0);
}

TEST(MidiMgr, SavedTextOfTheDefaultBindings)
{
	MgrRig r;
	r.mgr->set_default_nrpn_mapping();
	basic::ConfKeyMulti root("root");
	ASSERT_EQ(r.mgr->save_settings(root), 0);
	ASSERT_EQ(root.get_nbr_keys(), 1);
	const auto &midi = dynamic_cast<const basic::ConfKeyMulti &>(root.use_key(0L));
	EXPECT_EQ(midi.get_name(), "midi");
	const auto &cmap = dynamic_cast<const basic::ConfKeyMulti &>(midi.use_key(0L));
	const std::string want =
		"// Bind param with cc_, rpn_ or nrpn_ as prefix + CC/(N)RPN #.\n"
		"control_map =\n"
		"{\n"
		"   id_0 = nrpn_0\t// Param 0\n"
		"   id_1 = nrpn_1\t// Param 1\n"
		"   id_2 = nrpn_2\t// Param 2\n"
		"   id_3 = nrpn_3\t// Param 3\n"
		"   id_4 = nrpn_4\t// Param 4\n"
		"   id_5 = nrpn_5\t// Param 5\n"
		"   id_6 = nrpn_6\t// Param 6\n"
		"   id_7 = nrpn_7\t// Param 7\n"
		"}";
	EXPECT_EQ(to_text(cmap), want);
	// The device choice follows the bindings (no device selected here).
	EXPECT_EQ(midi.get_key_str("port_in/name"), "none");
	EXPECT_EQ(midi.get_key_str("port_out/name"), "none");
}

TEST(MidiMgr, SaveOrderIsByParameterAndTheTextsLoadBack)
{
	MgrRig r;
	r.mgr->associate_param(6, cc(1));
	r.mgr->associate_param(12, RPN + 2);
	r.mgr->associate_param(0, NRPN + 16383);
	r.mgr->associate_param(3, cc(120));
	basic::ConfKeyMulti root("root");
	ASSERT_EQ(r.mgr->save_settings(root), 0);
	const auto &cmap = dynamic_cast<const basic::ConfKeyMulti &>(dynamic_cast<const basic::ConfKeyMulti &>(root.use_key(0L)).use_key(0L));
	ASSERT_EQ(cmap.get_nbr_keys(), 4);
	const char *names[] = {"id_0", "id_3", "id_6", "id_12"};
	const char *texts[] = {"nrpn_16383", "cc_120", "cc_1", "rpn_2"};
	for (int i = 0; i < 4; ++i)
	{
		EXPECT_EQ(cmap.use_key(static_cast<long>(i)).get_name(), names[i]);
		EXPECT_EQ(cmap.get_key_str(names[i]), texts[i]);
	}
	// Beyond the parameter list there is no name to comment with.
	EXPECT_EQ(cmap.use_key(3L).get_comment(), "");

	MgrRig back;
	ASSERT_EQ(back.mgr->load_settings(*parse(to_text(root))), 0);
	EXPECT_EQ(back.mgr->get_param_mapping(), r.mgr->get_param_mapping());
}

TEST(MidiMgr, ControlMapKeysThatAreSkipped)
{
	MgrRig r;
	r.mgr->associate_param(0, cc(1));
	const auto root = control_map(
		"ID_2 = Cc_10\n"
		"id_x = cc_11\n"
		"id_3 = pc_10\n"
		"id_4 = cc_\n"
		"id_5 = cc_128\n"
		"id_6 = rpn_16384\n"
		"id_7 = nrpn_16383\n"
		"id_99999999999999999999 = cc_12\n"
		"id_-1 = cc_13\n"
		"id_8 = cc_14x\n"
		"id_9 = { cc_15 }\n"
		"id_10 = { list = cc_16 }\n"
		"xid_11 = cc_17\n"
		"RPN_12 = rpn_1\n"
		"id_13 = Rpn_0\n"
		"id_14 = NRPN_9\n");
	ASSERT_EQ(r.mgr->load_settings(*root), 0);
	// Loading adds to what was there.
	const Map want = {{cc(1), 0}, {cc(10), 2}, {NRPN + 16383, 7}, {RPN + 0, 13}, {NRPN + 9, 14}};
	EXPECT_EQ(r.mgr->get_param_mapping(), want);
}

TEST(MidiMgr, LaterKeysWin)
{
	MgrRig r;
	r.mgr->set_default_nrpn_mapping();
	ASSERT_EQ(r.mgr->load_settings(*control_map("id_2 = cc_10\nid_2 = cc_11\nid_5 = cc_11\n")), 0);
	const Map m = r.mgr->get_param_mapping();
	EXPECT_EQ(m.count(cc(10)), 0u);
	EXPECT_EQ(m.at(cc(11)), 5);
	EXPECT_EQ(m.count(NRPN + 2), 0u);
	EXPECT_EQ(m.count(NRPN + 5), 0u);
	EXPECT_EQ(m.at(NRPN + 4), 4);
}

TEST(MidiMgr, DataKeysWhereSectionsAreExpectedAreIgnored)
{
	MgrRig r;
	r.mgr->set_default_nrpn_mapping();
	const Map before = r.mgr->get_param_mapping();
	for (const char *text : {"root =\n{\n midi = 3\n}\n", "root =\n{\n midi =\n {\n  control_map = cc_1\n  port_in = x\n  port_out = y\n }\n}\n",
	                         "root =\n{\n other =\n {\n  id_0 = cc_1\n }\n}\n"})
	{
		EXPECT_EQ(r.mgr->load_settings(*parse(text)), 0) << text;
		EXPECT_EQ(r.mgr->get_param_mapping(), before) << text;
	}
	// A "midi" data key first and the section after it: the section counts.
	ASSERT_EQ(r.mgr->load_settings(*parse("root =\n{\n midi = 3\n midi =\n {\n  control_map =\n  {\n   id_1 = cc_2\n  }\n }\n}\n")), 0);
	EXPECT_EQ(r.mgr->get_param_mapping().at(cc(2)), 1);
}
