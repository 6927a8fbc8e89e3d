// A control bound to a parameter through ListenerBase and MetaControl.
#include "RecordingControl.h"

#include "plegg/HostGuiInterface.h"
#include "plegg/ListenerBase.h"
#include "plegg/MetaControlList.h"
#include "plegg/NormalizedParamInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct FakeHost : plegg::HostGuiInterface
{
	std::vector<std::string> calls;
	bool free = true;
	int init() override { return 0; }
	double get_property(const char *) const override { return 0.0; }
	std::string get_string_property(const char *) const override { return {}; }
	bool is_param_free(int index, int priority) override
	{
		calls.push_back("free " + std::to_string(index) + " " + std::to_string(priority));
		return free;
	}
	void reserve_param(int index, int priority) override
	{
		calls.push_back("reserve " + std::to_string(index) + " " + std::to_string(priority));
	}
	void release_param(int index, int priority) override
	{
		calls.push_back("release " + std::to_string(index) + " " + std::to_string(priority));
	}
	void set_param(int index, float norm, int priority) override
	{
		calls.push_back("set " + std::to_string(index) + " " + std::to_string(norm) + " " + std::to_string(priority));
	}
	void set_program(const plegg::ProgramSlot &, int) override {}
	int resize_window(int, int) override { return -1; }
	std::string get_plugin_dir() override { return {}; }
	plegg::MidiMgr *use_midi_interface() override { return nullptr; }
};

struct LinearParam : plegg::NormalizedParamInterface
{
	void get_name(char *buf, long) const override { buf[0] = 0; }
	void get_unit(char *buf, long) const override { buf[0] = 0; }
	double denormalize_val(float n) const override { return n * 10.0; }
	float normalize_val(double v) const override { return static_cast<float>(v / 10.0); }
	void do_print_val(char *buf, long, double) const override { buf[0] = 0; }
	double do_scan_val(const char *, bool &ok) const override
	{
		ok = false;
		return 0.0;
	}
};

} // namespace

TEST(ListenerBase, ForwardsToTheHostServicesWithItsIndex)
{
	FakeHost host;
	LinearParam param;
	plegg::ListenerBase l;
	skane_test::RecordingControl c("c", skane::Rect(0, 0, 10, 10));
	l.set_host(host);
	l.associate_param(3, param);
	c.set_listener(&l);

	EXPECT_TRUE(c.set_val_user(0.25, 200));
	EXPECT_EQ(host.calls, (std::vector<std::string>{"free 3 200", "set 3 0.250000 200"}));
	host.calls.clear();
	EXPECT_TRUE(c.reserve_val(200));
	c.release_val(200);
	EXPECT_EQ(host.calls, (std::vector<std::string>{"free 3 200", "reserve 3 200", "release 3 200"}));

	// Refused by the arbitration: nothing is set.
	host.calls.clear();
	host.free = false;
	EXPECT_FALSE(c.set_val_user(0.75, 100));
	EXPECT_DOUBLE_EQ(c.get_val(), 0.25);
	EXPECT_EQ(host.calls.size(), 1u);

	// Automatic changes are not reported back as user changes.
	host.free = true;
	host.calls.clear();
	param.init(6.0, 0);
	l.update_display();
	EXPECT_NEAR(c.get_val(), 0.6, 1e-6);
	EXPECT_EQ(host.calls, (std::vector<std::string>{"free 3 1"}));

	// An unassociated listener passes index -1 on.
	plegg::ListenerBase bare;
	bare.set_host(host);
	host.calls.clear();
	bare.change_num_val_user(0.5, 200);
	EXPECT_EQ(host.calls, (std::vector<std::string>{"set -1 0.500000 200"}));
}

TEST(MetaControl, ConnectsOnceAndUpdates)
{
	FakeHost host;
	LinearParam param;
	param.init(2.5, 0);
	plegg::ListenerBase l;
	l.set_host(host);
	l.associate_param(0, param);
	skane_test::RecordingControl c("c", skane::Rect(0, 0, 10, 10));

	plegg::MetaControlList mcl;
	mcl.resize(2);
	EXPECT_FALSE(mcl[0].is_connected());
	mcl[0].connect(c, l);
	mcl[0].connect(c, l);
	l.set_meta_list(mcl);
	EXPECT_EQ(c.get_nbr_listeners(), 1);
	EXPECT_TRUE(mcl[0].is_connected());
	EXPECT_EQ(mcl[0].use_param(), &param);
	EXPECT_EQ(mcl[1].use_param(), nullptr);

	mcl.update_params();
	EXPECT_NEAR(c.get_val(), 0.25, 1e-6);
	mcl[0].set_param(0.5, 100);
	EXPECT_DOUBLE_EQ(c.get_val(), 0.5);
	EXPECT_EQ(host.calls.back(), "free 0 100");
	mcl[1].update_param();   // not connected: nothing happens
}
