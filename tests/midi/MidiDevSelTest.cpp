// Device selection: dense ids in registration order, selection by id and
// by name, the saved choice, failures, and the ports of a component that
// makes and drops them.
#include <gtest/gtest.h>

#include <sstream>

#include "basic/ConfKeyData.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"
#include "tests/midi/FakeDevComps.h"

using miditest::DynComp;
using miditest::MgrRig;
using miditest::StaticComp;

namespace
{

struct SelRig : MgrRig
{
	SelRig()
	{
		disp.register_dev_list(host);
		disp.register_dev_list(dyn);
		host.in.set_midi_mgr(*mgr);
		host.out.set_midi_mgr(*mgr);
		EXPECT_EQ(mgr->init(), 0);
		EXPECT_EQ(disp.init(), 0);
	}
	StaticComp host{{"VST MIDI In interface"}, {"VST MIDI Out interface", "Second Out"}};
	DynComp dyn;
};

std::unique_ptr<basic::ConfKeyMulti> parse_midi(const std::string &inner)
{
	int status = 0;
	std::unique_ptr<basic::ConfKeyInterface> k(basic::ConfKeyFactory::get_instance().create_key("midi =\n{\n" + inner + "\n}\n", status));
	EXPECT_EQ(status, 0);
	auto *m = dynamic_cast<basic::ConfKeyMulti *>(k.release());
	return std::unique_ptr<basic::ConfKeyMulti>(m != nullptr ? m : new basic::ConfKeyMulti("midi"));
}

} // namespace

TEST(MidiDevSel, IdsFollowRegistrationAndDefaultsAreTheFirst)
{
	SelRig r;
	EXPECT_TRUE(r.disp.are_devices_scanned());
	EXPECT_TRUE(r.disp.is_initialised());
	ASSERT_EQ(r.disp.get_nbr_dev_in(), 2);
	ASSERT_EQ(r.disp.get_nbr_dev_out(), 3);
	EXPECT_EQ(r.disp.get_dev_in_prop(1).name, "built-in MIDI In interface");
	EXPECT_EQ(r.disp.get_dev_out_prop(2).name, "built-in MIDI Out interface");
	EXPECT_EQ(r.disp.get_dev_out_prop(3).name, "");
	EXPECT_EQ(r.host.get_start_id_out(), 0);
	EXPECT_EQ(r.host.get_nbr_dev_out(), 2);
	EXPECT_EQ(r.dyn.get_start_id_out(), 2);
	EXPECT_EQ(r.dyn.get_nbr_dev_out(), 1);

	ASSERT_EQ(r.disp.select_default_dev(true), 0);
	EXPECT_EQ(r.disp.get_dev_in_cur_id(), 0);
	EXPECT_EQ(r.disp.get_dev_out_cur_id(), 0);
	EXPECT_EQ(r.mgr->get_input_device(), &r.host.in);
	EXPECT_EQ(r.mgr->get_output_device(), &r.host.out);
	EXPECT_EQ(r.host.in.nbr_connect, 1);
	// The manager brackets blocks with the selected ports.
	r.mgr->process_pre();
	r.mgr->process_post();
	EXPECT_EQ(r.host.in.nbr_pre, 1);
	EXPECT_EQ(r.host.out.nbr_post, 1);

	ASSERT_EQ(r.disp.select_default_dev(false), 0);
	EXPECT_EQ(r.mgr->get_input_device(), nullptr);
	EXPECT_EQ(r.mgr->get_output_device(), nullptr);
	EXPECT_EQ(r.disp.get_dev_in_cur_id(), -1);
	EXPECT_EQ(r.host.in.nbr_disconnect, 1);
}

TEST(MidiDevSel, SelectingByNameIgnoresCaseAndNoneDeselects)
{
	SelRig r;
	r.disp.select_default_dev(true);
	ASSERT_EQ(r.disp.select_dev_in(std::string("BUILT-IN midi in INTERFACE")), 0);
	EXPECT_EQ(r.disp.get_dev_in_cur_id(), 1);
	EXPECT_EQ(r.mgr->get_input_device(), r.dyn.cur_in);
	EXPECT_EQ(r.host.in.nbr_disconnect, 1);
	ASSERT_EQ(r.disp.select_dev_out(std::string("none")), 0);
	EXPECT_EQ(r.disp.get_dev_out_cur_id(), -1);
	EXPECT_EQ(r.mgr->get_output_device(), nullptr);
	// An id nobody has selects nothing.
	ASSERT_EQ(r.disp.select_dev_in(57), 0);
	EXPECT_EQ(r.disp.get_dev_in_cur_id(), -1);
	EXPECT_EQ(r.dyn.live_in.load(), 0);
}

TEST(MidiDevSel, AComponentsOwnPortsGoWhenNothingUsesThem)
{
	SelRig r;
	ASSERT_EQ(r.disp.select_dev_in(1), 0);
	EXPECT_EQ(r.dyn.live_in.load(), 1);
	// Selecting it again: the first port is gone before the second exists.
	ASSERT_EQ(r.disp.select_dev_in(1), 0);
	EXPECT_NE(r.dyn.cur_in, nullptr);
	EXPECT_EQ(r.dyn.live_in.load(), 1);
	EXPECT_EQ(r.dyn.nbr_created_in, 2);
	// Choosing the other component's device drops it.
	ASSERT_EQ(r.disp.select_dev_in(0), 0);
	EXPECT_EQ(r.dyn.live_in.load(), 0);
	EXPECT_EQ(r.mgr->get_input_device(), &r.host.in);
}

TEST(MidiDevSel, FailuresLeaveAClearState)
{
	SelRig r;
	r.disp.select_default_dev(true);
	// A failed disconnect keeps the old device.
	r.host.in.disconnect_status = -7;
	EXPECT_EQ(r.disp.select_dev_in(1), -7);
	EXPECT_EQ(r.disp.get_dev_in_cur_id(), 0);
	EXPECT_EQ(r.mgr->get_input_device(), &r.host.in);
	r.host.in.disconnect_status = 0;
	// A failed connect leaves no device in that direction.
	r.host.out.connect_status = -3;
	EXPECT_EQ(r.disp.select_dev_out(1), -3);
	EXPECT_EQ(r.disp.get_dev_out_cur_id(), -1);
	EXPECT_EQ(r.mgr->get_output_device(), nullptr);
	// A component whose init fails stops the dispatcher's.
	MgrRig m;
	StaticComp bad{{"a"}, {"b"}};
	bad.init_status = -4;
	m.disp.register_dev_list(bad);
	EXPECT_EQ(m.disp.init(), -4);
	EXPECT_FALSE(m.disp.is_initialised());
}

TEST(MidiDevSel, SavedChoiceAndLoading)
{
	SelRig r;
	r.disp.select_default_dev(true);
	r.disp.select_dev_out(1);
	basic::ConfKeyMulti midi("midi");
	ASSERT_EQ(r.disp.save_settings(midi), 0);
	std::ostringstream os;
	os << midi;
	EXPECT_EQ(os.str(), "midi =\n{\n   port_in =\n   {\n      name = \"VST MIDI In interface\"\n   }\n   port_out =\n   {\n      name = \"Second Out\"\n   }\n}");

	SelRig back;
	back.disp.select_default_dev(true);
	ASSERT_EQ(back.disp.load_settings(midi), 0);
	EXPECT_EQ(back.disp.get_dev_in_cur_id(), 0);
	EXPECT_EQ(back.disp.get_dev_out_cur_id(), 1);

	// Capitals select the platform input; a missing "port_out" keeps the output.
	ASSERT_EQ(back.disp.load_settings(*parse_midi("port_in =\n{\n name = \"BUILT-IN MIDI IN INTERFACE\"\n}\n")), 0);
	EXPECT_EQ(back.disp.get_dev_in_cur_id(), 1);
	EXPECT_EQ(back.disp.get_dev_out_cur_id(), 1);
	// "none" deselects; data keys where sections belong are ignored.
	ASSERT_EQ(back.disp.load_settings(*parse_midi("port_in = x\nport_out =\n{\n name = none\n}\n")), 0);
	EXPECT_EQ(back.disp.get_dev_in_cur_id(), 1);
	EXPECT_EQ(back.disp.get_dev_out_cur_id(), -1);
	basic::ConfKeyMulti none("midi");
	ASSERT_EQ(back.disp.save_settings(none), 0);
	EXPECT_EQ(none.get_key_str("port_out/name"), "none");
}

TEST(MidiDevSel, ConfigureReachesOnlyTheOwner)
{
	SelRig r;
	r.disp.select_default_dev(true);
	EXPECT_EQ(r.disp.configure_dev_in(), 0);
	EXPECT_EQ(r.disp.configure_dev_out(), 0);
	// Components other than the owner drop their ports on each selection.
	const int before = r.host.nbr_remove_in;
	r.disp.select_dev_in(1);
	EXPECT_EQ(r.host.nbr_remove_in, before + 1);
}
