// Settings manager: what a setting file holds, every status, the order of
// clients and hooks, and that a failed save leaves an existing file alone.
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"
#include "basic/SettingClientInterface.h"
#include "plegg/HostGuiInterface.h"
#include "plegg/SettingMgr.h"
#include "tests/common/StubDsp.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

const char saved_with_no_client[] =
	"Brastoke_config_section =\n"
	"{\n"
	"   version = 1.31\n"
	"}";

// Saves one key under its own section and reads it back; can be told to
// fail or to throw.
class FakeClient : public basic::SettingClientInterface
{
public:
	FakeClient(std::vector<std::string> &log, const std::string &name) : _log(log), _name(name) {}

	int save_settings(basic::ConfKeyMulti &root) override
	{
		_log.push_back("save " + _name);
		root.set_key_str(_name + "/value", value);
		return fail_status;
	}
	int load_settings(const basic::ConfKeyMulti &root) override
	{
		_log.push_back("load " + _name);
		if (throw_on_load)
		{
			root.use_key(_name + "/missing");
		}
		loaded = root.get_key_str(_name + "/value");
		nbr_root_keys = root.get_nbr_keys();
		return fail_status;
	}

	std::string value = "v";
	std::string loaded;
	long nbr_root_keys = -1;
	int fail_status = 0;
	bool throw_on_load = false;

private:
	std::vector<std::string> &_log;
	std::string _name;
};

// Records the post-hooks and the status they see.
class HookedMgr : public plegg::SettingMgr
{
public:
	explicit HookedMgr(std::vector<std::string> &log) : _log(log) {}

protected:
	void do_load_settings_post(const basic::ConfKeyMulti &, const std::string &, int &status) override
	{
		_log.push_back("load post " + std::to_string(status));
	}
	void do_save_settings_post(basic::ConfKeyMulti &, const std::string &, int &status) override
	{
		_log.push_back("save post " + std::to_string(status));
	}

private:
	std::vector<std::string> &_log;
};

class SettingMgrTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char tmpl[] = "/tmp/brastoke_settings_XXXXXX";
		ASSERT_NE(mkdtemp(tmpl), nullptr);
		dir = tmpl;
		mgr.init("Brastoke", 1.31);
	}
	void TearDown() override { fs::remove_all(dir); }

	std::string path(const char *name) const { return (dir / name).string(); }

	static std::string read_file(const std::string &p)
	{
		std::ifstream f(p, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
	}
	static void write_file(const std::string &p, const std::string &text)
	{
		std::ofstream(p, std::ios::binary) << text;
	}

	fs::path dir;
	std::vector<std::string> log;
	HookedMgr mgr{log};
};

} // namespace

TEST_F(SettingMgrTest, IdentityAndExtension)
{
	EXPECT_STREQ(plegg::SettingMgr::FILE_EXT, "cfg.txt");
	EXPECT_EQ(mgr.get_section_name(), "Brastoke_config_section");
	EXPECT_EQ(mgr.get_version(), "1.31");
	plegg::SettingMgr other;
	other.init("Cut-off Box", 2.0);
	EXPECT_EQ(other.get_section_name(), "Cut_off_Box_config_section");
	EXPECT_EQ(other.get_version(), "2.00");
}

TEST_F(SettingMgrTest, SaveWithNoClientWritesRootAndVersion)
{
	EXPECT_EQ(mgr.save_settings(path("a.cfg.txt")), 0);
	EXPECT_EQ(read_file(path("a.cfg.txt")), saved_with_no_client);
	EXPECT_EQ(log, (std::vector<std::string>{ "save post 0" }));
}

TEST_F(SettingMgrTest, ClientsSaveAndLoadInRegistrationOrder)
{
	FakeClient a(log, "a");
	FakeClient b(log, "b");
	a.value = "first value";
	b.value = "x,y";
	EXPECT_EQ(mgr.register_client(a), 0);
	EXPECT_EQ(mgr.register_client(b), 0);
	ASSERT_EQ(mgr.save_settings(path("s.cfg.txt")), 0);
	EXPECT_EQ(read_file(path("s.cfg.txt")),
		"Brastoke_config_section =\n"
		"{\n"
		"   version = 1.31\n"
		"   a =\n"
		"   {\n"
		"      value = \"first value\"\n"
		"   }\n"
		"   b =\n"
		"   {\n"
		"      value = \"x,y\"\n"
		"   }\n"
		"}");
	log.clear();
	EXPECT_EQ(mgr.load_settings(path("s.cfg.txt")), 0);
	EXPECT_EQ(a.loaded, "first value");
	EXPECT_EQ(b.loaded, "x,y");
	EXPECT_EQ(log, (std::vector<std::string>{ "load a", "load b", "load post 0" }));
}

TEST_F(SettingMgrTest, FailingClientStopsSaveAndLeavesFileUntouched)
{
	FakeClient a(log, "a");
	FakeClient b(log, "b");
	FakeClient c(log, "c");
	b.fail_status = -7;
	mgr.register_client(a);
	mgr.register_client(b);
	mgr.register_client(c);
	write_file(path("old.cfg.txt"), "previous content");
	EXPECT_EQ(mgr.save_settings(path("old.cfg.txt")), -7);
	EXPECT_EQ(read_file(path("old.cfg.txt")), "previous content");
	EXPECT_EQ(mgr.save_settings(path("new.cfg.txt")), -7);
	EXPECT_FALSE(fs::exists(path("new.cfg.txt")));
	EXPECT_EQ(log, (std::vector<std::string>{ "save a", "save b", "save post -7", "save a", "save b", "save post -7" }));
}

TEST_F(SettingMgrTest, OtherPluginFileCallsNoClient)
{
	FakeClient a(log, "a");
	mgr.register_client(a);
	write_file(path("o.cfg.txt"), "Other_config_section =\n{\n   version = 1.00\n}");
	EXPECT_EQ(mgr.load_settings(path("o.cfg.txt")), -3071);
	EXPECT_EQ(log, (std::vector<std::string>{ "load post -3071" }));
}

TEST_F(SettingMgrTest, EmptyRootSectionLoadsAndClientsSeeIt)
{
	FakeClient a(log, "a");
	mgr.register_client(a);
	write_file(path("e.cfg.txt"), "Brastoke_config_section =\n{\n}\n");
	EXPECT_EQ(mgr.load_settings(path("e.cfg.txt")), 0);
	EXPECT_EQ(a.nbr_root_keys, 0);
	// The version key is not checked, nor needed.
	EXPECT_EQ(log, (std::vector<std::string>{ "load a", "load post 0" }));
}

TEST_F(SettingMgrTest, LoadStatusTable)
{
	FakeClient a(log, "a");
	mgr.register_client(a);
	const struct
	{
		const char *content;
		int status;
	} cases[] = {
		{ "", -1024 },
		{ "\n\n", -1024 },
		{ "Brastoke_config_section =\n{\n", -2044 },
		{ "just words", -2039 },
		// The data key without a readable value (-1018) is still returned.
		{ "Brastoke_config_section = \"{\"", -1016 },
		{ "Brastoke_config_section = 1", -1016 },
		{ "Brastoke_config_section = { 1 }", -1016 },
		{ "Brastoke_config_section =\r\n{\r\n   version = 1.31\r\n}\r\n", -1016 },
		{ "Brastoke_config_section =\n{\n   a/b = 1\n}", -3070 },
		// A key is used even if the text goes on after it.
		{ "Brastoke_config_section =\n{\n}\ntrailing = 1", 0 },
		// No line feed after the last line.
		{ "Brastoke_config_section = { a = { value = 1 } }", 0 },
	};
	for (const auto &c : cases)
	{
		write_file(path("t.cfg.txt"), c.content);
		EXPECT_EQ(mgr.load_settings(path("t.cfg.txt")), c.status) << c.content;
	}
	EXPECT_EQ(a.loaded, "1");
}

TEST_F(SettingMgrTest, FileErrors)
{
	EXPECT_EQ(mgr.load_settings(path("missing.cfg.txt")), -1020);
	EXPECT_EQ(mgr.load_settings(dir.string()), -1019); // a folder opens but cannot be read
	EXPECT_EQ(mgr.save_settings(path("no/such/folder.cfg.txt")), -1018);
	if (fs::exists("/dev/full"))
	{
		EXPECT_EQ(mgr.save_settings("/dev/full"), -1017);
	}
}

TEST_F(SettingMgrTest, ClientExceptionGivesStatusAndPostHookRuns)
{
	FakeClient a(log, "a");
	a.throw_on_load = true;
	mgr.register_client(a);
	write_file(path("x.cfg.txt"), saved_with_no_client);
	EXPECT_EQ(mgr.load_settings(path("x.cfg.txt")), -3070);
	EXPECT_EQ(log, (std::vector<std::string>{ "load a", "load post -3070" }));
}

TEST_F(SettingMgrTest, RegistrationStatuses)
{
	FakeClient a(log, "a");
	FakeClient b(log, "b");
	EXPECT_EQ(mgr.unregister_client(a), -1022);
	EXPECT_EQ(mgr.register_client(a), 0);
	EXPECT_EQ(mgr.register_client(b), 0);
	EXPECT_EQ(mgr.register_client(a), -1023);
	EXPECT_EQ(mgr.get_client_pos(b), 1);
	ASSERT_EQ(mgr.save_settings(path("r.cfg.txt")), 0);
	EXPECT_EQ(log, (std::vector<std::string>{ "save a", "save b", "save a", "save post 0" }));
	EXPECT_EQ(mgr.unregister_client(a), -1021);
	EXPECT_EQ(mgr.get_client_pos(a), 1);
	EXPECT_EQ(mgr.unregister_client(a), 0);
	EXPECT_EQ(mgr.get_client_pos(a), -1);
	EXPECT_EQ(mgr.unregister_all_clients(), 0);
	EXPECT_EQ(mgr.get_client_pos(b), -1);
}

namespace
{

// The engine as far as the settings manager asks it.
class FakeDsp : public StubDsp
{
public:
	double get_property(const char *name) const override { return std::string(name) == "plugin_version" ? 1.31 : 0.0; }
	std::string get_string_property(const char *name) const override { return std::string(name) == "plugin_name" ? "Brastoke" : ""; }
};

class FakeHostGui : public plegg::HostGuiInterface
{
public:
	int init() override { return 0; }
	double get_property(const char *) const override { return 0; }
	std::string get_string_property(const char *) const override { return std::string(); }
	bool is_param_free(int, int) override { return true; }
	void reserve_param(int, int) override {}
	void release_param(int, int) override {}
	void set_param(int, float, int) override {}
	void set_program(const plegg::ProgramSlot &, int) override {}
	int resize_window(int, int) override { return -1; }
	std::string get_plugin_dir() override { return std::string(); }
	plegg::MidiMgr *use_midi_interface() override { return nullptr; }
};

} // namespace

TEST_F(SettingMgrTest, IdentityFromTheEngineInAGermanLocale)
{
	const char *old = std::setlocale(LC_ALL, nullptr);
	const std::string saved = (old != nullptr) ? old : "C";
	bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
	if (!german)
	{
		// Build the locale into the test's folder when the system lacks it.
		const std::string locales = (dir / "locales").string();
		const std::string cmd = "localedef -i de_DE -f UTF-8 " + locales + "/de_DE.UTF-8 >/dev/null 2>&1";
		fs::create_directories(locales);
		if (std::system(cmd.c_str()) == 0)
		{
			setenv("LOCPATH", locales.c_str(), 1);
			german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
			unsetenv("LOCPATH");
		}
	}
	if (german)
	{
		char buf[16];
		std::snprintf(buf, sizeof(buf), "%.2f", 1.31);
		EXPECT_STREQ(buf, "1,31"); // the locale is really in force
	}
	FakeDsp dsp;
	FakeHostGui host;
	plegg::SettingMgr m;
	EXPECT_EQ(m.init(dsp, host), 0);
	EXPECT_EQ(m.get_dsp(), &dsp);
	EXPECT_EQ(m.get_section_name(), "Brastoke_config_section");
	EXPECT_EQ(m.get_version(), "1.31");
	EXPECT_EQ(m.save_settings(path("de.cfg.txt")), 0);
	EXPECT_EQ(read_file(path("de.cfg.txt")), saved_with_no_client);
	std::setlocale(LC_ALL, saved.c_str());
	if (!german)
	{
		GTEST_SKIP() << "locale de_DE.UTF-8 is not installed; checked in the C locale only";
	}
}
