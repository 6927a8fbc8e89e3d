// Persistent key list: where the store lives, what survives, what a broken
// store or folder does, and writers in two threads and two processes.
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"
#include "sys/PersistentKeyList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace
{

namespace fs = std::filesystem;

const char open_error[] = "sys::PersistentKeyList::PersistentKeyList () : Can't open file.";

std::string thrown_text(const std::function<void()> &f)
{
	try
	{
		f();
	}
	catch (const char *text)
	{
		return text;
	}
	return std::string();
}

class PersistentKeyListTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char tmpl[] = "/tmp/brastoke_pkl_XXXXXX";
		ASSERT_NE(mkdtemp(tmpl), nullptr);
		dir = tmpl;
		save_env("XDG_CONFIG_HOME", saved_xdg, had_xdg);
		save_env("HOME", saved_home, had_home);
		setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
	}
	void TearDown() override
	{
		restore_env("XDG_CONFIG_HOME", saved_xdg, had_xdg);
		restore_env("HOME", saved_home, had_home);
		fs::remove_all(dir);
	}

	static void save_env(const char *name, std::string &value, bool &had)
	{
		const char *v = std::getenv(name);
		had = (v != nullptr);
		value = had ? v : "";
	}
	static void restore_env(const char *name, const std::string &value, bool had)
	{
		if (had)
		{
			setenv(name, value.c_str(), 1);
		}
		else
		{
			unsetenv(name);
		}
	}
	static std::string read_file(const fs::path &p)
	{
		std::ifstream f(p, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
	}

	void expect_all_keys(const char *prefix, int count)
	{
		sys::PersistentKeyList list("Dravimor", false);
		for (int i = 0; i < count; ++i)
		{
			const std::string key = prefix + std::to_string(i);
			std::string value;
			ASSERT_EQ(list.get_key(key, value), 0) << key;
			EXPECT_EQ(value, "value of " + key);
		}
	}

	fs::path dir;
	std::string saved_xdg;
	std::string saved_home;
	bool had_xdg = false;
	bool had_home = false;
};

} // namespace

TEST_F(PersistentKeyListTest, KeysSurviveANewObjectAndReadInAnEditor)
{
	{
		sys::PersistentKeyList list("Dravimor", true);
		EXPECT_EQ(list.set_key("Autobind Mode", "1"), 0);
		EXPECT_EQ(list.set_key("MouseCompatibility", "0"), 0);
		EXPECT_EQ(list.set_key("odd % / \\ = { } \" // \n\t", "text, with = \"odd\" // {bytes}\r\n"), 0);
		EXPECT_EQ(list.set_key("empty", ""), 0);
		EXPECT_EQ(list.set_key("Autobind Mode", "0"), 0); // replaces
		EXPECT_EQ(list.set_key("", "x"), -1);
	}
	sys::PersistentKeyList list("Dravimor", true);
	std::string value = "untouched";
	EXPECT_EQ(list.get_key("absent", value), -1);
	EXPECT_EQ(value, "untouched");
	EXPECT_EQ(list.get_key("Autobind Mode", value), 0);
	EXPECT_EQ(value, "0");
	EXPECT_EQ(list.get_key("odd % / \\ = { } \" // \n\t", value), 0);
	EXPECT_EQ(value, "text, with = \"odd\" // {bytes}\r\n");
	EXPECT_EQ(list.get_key("empty", value), 0);
	EXPECT_EQ(value, "");

	const std::string text = read_file(dir / "config" / "Dravimor" / sys::gen_file_name);
	EXPECT_NE(text.find("\n   \"Autobind Mode\" = 0\n   MouseCompatibility = 0\n"), std::string::npos) << text;
}

TEST_F(PersistentKeyListTest, BoundedWaitGivesUpWhileAnotherWriterHoldsTheLock)
{
	sys::PersistentKeyList list("Dravimor", true);
	ASSERT_EQ(list.set_key("kept", "1"), 0);
	const std::string lock_path = list.get_folder() + "/" + sys::gen_file_name + ".lock";
	const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
	ASSERT_GE(fd, 0);
	ASSERT_EQ(::flock(fd, LOCK_EX), 0);
	const auto start = std::chrono::steady_clock::now();
	EXPECT_EQ(list.set_key("kept", "2", 50), -1);
	const auto waited = std::chrono::steady_clock::now() - start;
	EXPECT_GE(waited, std::chrono::milliseconds(50));
	EXPECT_LT(waited, std::chrono::seconds(2));
	::close(fd);
	EXPECT_EQ(list.set_key("kept", "3", 50), 0);
	std::string value;
	EXPECT_EQ(list.get_key("kept", value), 0);
	EXPECT_EQ(value, "3");
}

TEST_F(PersistentKeyListTest, FolderRules)
{
	{
		sys::PersistentKeyList nested("Dravimor\\Brastoke", true);
		EXPECT_EQ(nested.get_folder(), (dir / "config" / "Dravimor" / "Brastoke").string());
		EXPECT_EQ(nested.set_key("NRPN Compatibility", "1"), 0);
		EXPECT_TRUE(fs::is_regular_file(dir / "config" / "Dravimor" / "Brastoke" / "PersistentKeys"));
	}

	// A relative XDG_CONFIG_HOME is ignored: ~/.config is used.
	fs::create_directories(dir / "home");
	setenv("HOME", (dir / "home").c_str(), 1);
	setenv("XDG_CONFIG_HOME", "relative/config", 1);
	{
		sys::PersistentKeyList list("Dravimor", true);
		EXPECT_EQ(list.get_folder(), (dir / "home" / ".config" / "Dravimor").string());
	}
	unsetenv("XDG_CONFIG_HOME");
	{
		sys::PersistentKeyList list("Dravimor", false);
		EXPECT_EQ(list.get_folder(), (dir / "home" / ".config" / "Dravimor").string());
	}
}

TEST_F(PersistentKeyListTest, UnusableFoldersThrowTheExactText)
{
	// Without create, the store must exist.
	EXPECT_EQ(thrown_text([] { sys::PersistentKeyList l("Dravimor", false); }), open_error);
	EXPECT_EQ(thrown_text([] { sys::PersistentKeyList l("", true); }), open_error);
	EXPECT_EQ(thrown_text([] { sys::PersistentKeyList l("a\\..\\b", true); }), open_error);

	// The configuration folder is a regular file.
	std::ofstream(dir / "file") << "x";
	setenv("XDG_CONFIG_HOME", (dir / "file").c_str(), 1);
	EXPECT_EQ(thrown_text([] { sys::PersistentKeyList l("Dravimor", true); }), open_error);

	// No configuration folder at all.
	unsetenv("XDG_CONFIG_HOME");
	unsetenv("HOME");
	EXPECT_EQ(thrown_text([] { sys::PersistentKeyList l("Dravimor", true); }), open_error);
}

TEST_F(PersistentKeyListTest, CorruptStoreReadsEmptyAndIsReplaced)
{
	const char *garbage[] = {
		"\x01\x02 not a store { at all",
		"PersistentKeys = {",
		"Other = { a = 1 }",
		"PersistentKeys = { a/b = 1 }", // a name the key tree refuses
		"",
	};
	for (const char *g : garbage)
	{
		{
			sys::PersistentKeyList list("Dravimor", true);
		}
		std::ofstream(dir / "config" / "Dravimor" / "PersistentKeys", std::ios::binary | std::ios::trunc) << g;
		sys::PersistentKeyList list("Dravimor", true);
		std::string value;
		EXPECT_EQ(list.get_key("a", value), -1) << g;
		EXPECT_EQ(list.set_key("k", "v"), 0) << g;
		EXPECT_EQ(list.get_key("k", value), 0) << g;
		EXPECT_EQ(value, "v");
	}
	// The replaced store is a valid configuration text.
	int status = 1;
	std::unique_ptr<basic::ConfKeyInterface> key(basic::ConfKeyFactory::get_instance().create_key(
		read_file(dir / "config" / "Dravimor" / "PersistentKeys"), status));
	EXPECT_EQ(status, 0);
	ASSERT_TRUE(key);
	EXPECT_EQ(dynamic_cast<const basic::ConfKeyMulti &>(*key).get_key_str("k"), "v");
}

// A store that exists but cannot be opened is not replaced by a write that
// never saw its keys (a symbolic link that loops stands for any such error).
TEST_F(PersistentKeyListTest, UnreadableStoreIsNotReplaced)
{
	sys::PersistentKeyList list("Dravimor", true);
	const fs::path store = dir / "config" / "Dravimor" / "PersistentKeys";
	fs::remove(store);
	fs::create_symlink("PersistentKeys", store);
	EXPECT_EQ(list.set_key("k", "v"), -1);
	EXPECT_TRUE(fs::is_symlink(store));
}

TEST_F(PersistentKeyListTest, TwoThreadsKeepEachOthersKeys)
{
	auto writer = [](const char *prefix) {
		sys::PersistentKeyList list("Dravimor", true);
		for (int i = 0; i < 200; ++i)
		{
			const std::string key = prefix + std::to_string(i);
			EXPECT_EQ(list.set_key(key, "value of " + key), 0);
		}
	};
	std::thread a(writer, "thread a ");
	std::thread b(writer, "thread b ");
	a.join();
	b.join();
	expect_all_keys("thread a ", 200);
	expect_all_keys("thread b ", 200);
}

TEST_F(PersistentKeyListTest, OneObjectSharedByTwoThreads)
{
	sys::PersistentKeyList list("Dravimor", true);
	auto writer = [&list](const char *prefix) {
		for (int i = 0; i < 100; ++i)
		{
			const std::string key = prefix + std::to_string(i);
			EXPECT_EQ(list.set_key(key, "value of " + key), 0);
			std::string value;
			EXPECT_EQ(list.get_key(key, value), 0);
		}
	};
	std::thread a(writer, "a");
	std::thread b(writer, "b");
	a.join();
	b.join();
	expect_all_keys("a", 100);
	expect_all_keys("b", 100);
}

TEST_F(PersistentKeyListTest, TwoProcessesKeepEachOthersKeys)
{
	const char *args_a[] = { PKL_WRITER_PATH, "Dravimor", "process a ", "200", nullptr };
	const char *args_b[] = { PKL_WRITER_PATH, "Dravimor", "process b ", "200", nullptr };
	pid_t pa;
	pid_t pb;
	ASSERT_EQ(posix_spawn(&pa, PKL_WRITER_PATH, nullptr, nullptr, const_cast<char **>(args_a), environ), 0);
	ASSERT_EQ(posix_spawn(&pb, PKL_WRITER_PATH, nullptr, nullptr, const_cast<char **>(args_b), environ), 0);
	int sa = -1;
	int sb = -1;
	ASSERT_EQ(waitpid(pa, &sa, 0), pa);
	ASSERT_EQ(waitpid(pb, &sb, 0), pb);
	EXPECT_TRUE(WIFEXITED(sa) && WEXITSTATUS(sa) == 0);
	EXPECT_TRUE(WIFEXITED(sb) && WEXITSTATUS(sb) == 0);
	expect_all_keys("process a ", 200);
	expect_all_keys("process b ", 200);
}
