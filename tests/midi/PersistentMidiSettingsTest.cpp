// The two MIDI preferences in the per-user store: write-back of missing
// values, values in memory kept when the store fails, no long wait on the
// store's lock.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

#include "tests/midi/MidiFakes.h"

using miditest::TempConfig;
using plegg::PersistentMidiSettings;

namespace
{

bool contains(const std::string &text, const std::string &part)
{
	return text.find(part) != std::string::npos;
}

void write_file(const std::string &path, const std::string &text)
{
	std::filesystem::create_directories(std::filesystem::path(path).parent_path());
	std::ofstream(path) << text;
}

} // namespace

TEST(PersistentMidiSettings, MissingValuesAreWrittenBack)
{
	TempConfig cfg;
	PersistentMidiSettings s;
	EXPECT_FALSE(s.init_check());
	s.init("Brastoke");
	EXPECT_TRUE(s.init_check());
	EXPECT_EQ(s.get_nrpn_compatibility(), PersistentMidiSettings::get_default_compatibility());
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_MULTIPLE);
	EXPECT_TRUE(contains(cfg.store_text("Dravimor/Brastoke"), "\"NRPN Compatibility\" = 1"));
	EXPECT_TRUE(contains(cfg.store_text("Dravimor"), "\"Autobind Mode\" = 1"));
	EXPECT_FALSE(contains(cfg.store_text("Dravimor"), "NRPN"));
}

TEST(PersistentMidiSettings, StoredValuesWinAndGarbageIsReplaced)
{
	TempConfig cfg;
	write_file(cfg.path() + "/Dravimor/Brastoke/PersistentKeys", "PersistentKeys =\n{\n   \"NRPN Compatibility\" = 0\n}\n");
	write_file(cfg.path() + "/Dravimor/PersistentKeys", "PersistentKeys =\n{\n   \"Autobind Mode\" = yes\n}\n");
	PersistentMidiSettings s;
	s.init("Brastoke");
	EXPECT_EQ(s.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_OLD);
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_MULTIPLE);
	EXPECT_TRUE(contains(cfg.store_text("Dravimor"), "\"Autobind Mode\" = 1"));
	EXPECT_TRUE(contains(cfg.store_text("Dravimor/Brastoke"), "\"NRPN Compatibility\" = 0"));

	// Another product shares the mode and has its own compatibility.
	PersistentMidiSettings other;
	other.init("Other");
	ASSERT_EQ(other.set_autobind_mode(PersistentMidiSettings::AutobindMode_SINGLE), 0);
	PersistentMidiSettings third;
	third.init("Brastoke");
	EXPECT_EQ(third.get_autobind_mode(), PersistentMidiSettings::AutobindMode_SINGLE);
	EXPECT_EQ(third.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_OLD);
}

TEST(PersistentMidiSettings, ClassDefaultAppliesToLaterObjects)
{
	TempConfig cfg;
	const auto saved = PersistentMidiSettings::get_default_compatibility();
	PersistentMidiSettings before;
	PersistentMidiSettings::set_default_compatibility(PersistentMidiSettings::NrpnCompatibility_OLD);
	PersistentMidiSettings after;
	PersistentMidiSettings::set_default_compatibility(saved);
	EXPECT_EQ(before.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_STANDARD);
	EXPECT_EQ(after.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_OLD);
	after.init("Brastoke");
	EXPECT_TRUE(contains(cfg.store_text("Dravimor/Brastoke"), "\"NRPN Compatibility\" = 0"));
}

TEST(PersistentMidiSettings, AFailedStoreKeepsTheValueInMemory)
{
	TempConfig cfg;
	PersistentMidiSettings s;
	s.init("Brastoke");
	// Before init nothing can be stored for the product.
	PersistentMidiSettings fresh;
	EXPECT_EQ(fresh.set_nrpn_compatibility(PersistentMidiSettings::NrpnCompatibility_OLD), -1);
	EXPECT_EQ(fresh.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_STANDARD);

	// A regular file where the configuration folder should be.
	const std::string file = cfg.path() + "/not-a-folder";
	write_file(file, "x");
	setenv("XDG_CONFIG_HOME", file.c_str(), 1);
	EXPECT_EQ(s.set_nrpn_compatibility(PersistentMidiSettings::NrpnCompatibility_OLD), -1);
	EXPECT_EQ(s.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_STANDARD);
	EXPECT_EQ(s.set_autobind_mode(PersistentMidiSettings::AutobindMode_SINGLE), -1);
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_MULTIPLE);

	setenv("XDG_CONFIG_HOME", cfg.path().c_str(), 1);
	EXPECT_EQ(s.set_nrpn_compatibility(PersistentMidiSettings::NrpnCompatibility_OLD), 0);
	EXPECT_EQ(s.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_OLD);
	EXPECT_TRUE(contains(cfg.store_text("Dravimor/Brastoke"), "\"NRPN Compatibility\" = 0"));
}

TEST(PersistentMidiSettings, NoStoreAtAllKeepsTheDefaults)
{
	TempConfig cfg;
	unsetenv("XDG_CONFIG_HOME");
	unsetenv("HOME");
	PersistentMidiSettings s;
	s.init("Brastoke");
	EXPECT_TRUE(s.init_check());
	EXPECT_EQ(s.get_nrpn_compatibility(), PersistentMidiSettings::NrpnCompatibility_STANDARD);
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_MULTIPLE);
}

TEST(PersistentMidiSettings, AHeldStoreLockIsNotWaitedForLong)
{
	TempConfig cfg;
	// Another writer holds both lists' locks and does not let go.
	std::vector<int> fds;
	for (const char *list : {"/Dravimor", "/Dravimor/Brastoke"})
	{
		std::filesystem::create_directories(cfg.path() + list);
		const int fd = ::open((cfg.path() + list + "/PersistentKeys.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
		ASSERT_GE(fd, 0);
		ASSERT_EQ(::flock(fd, LOCK_EX), 0);
		fds.push_back(fd);
	}
	PersistentMidiSettings s;
	const auto t0 = std::chrono::steady_clock::now();
	s.init("Brastoke");
	const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
	EXPECT_LT(ms, 4 * PersistentMidiSettings::LOCK_WAIT_MS);
	EXPECT_TRUE(s.init_check());
	EXPECT_EQ(s.set_autobind_mode(PersistentMidiSettings::AutobindMode_SINGLE), -1);
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_MULTIPLE);
	for (int fd : fds)
		::close(fd);
	EXPECT_EQ(s.set_autobind_mode(PersistentMidiSettings::AutobindMode_SINGLE), 0);
	EXPECT_EQ(s.get_autobind_mode(), PersistentMidiSettings::AutobindMode_SINGLE);
}
