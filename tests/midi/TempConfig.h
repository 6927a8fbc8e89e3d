// A fresh configuration folder for the per-user preferences while the
// object lives.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace miditest
{

// HOME and XDG_CONFIG_HOME are restored afterwards.
class TempConfig
{
public:
	TempConfig()
	{
		save("XDG_CONFIG_HOME", xdg);
		save("HOME", home);
		char tmpl[] = "/tmp/brastoke-midi-XXXXXX";
		const char *d = mkdtemp(tmpl);
		EXPECT_NE(d, nullptr);
		dir = d != nullptr ? d : "/tmp";
		setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
	}
	~TempConfig()
	{
		restore("XDG_CONFIG_HOME", xdg);
		restore("HOME", home);
		std::error_code ec;
		std::filesystem::remove_all(dir, ec);
	}
	TempConfig(const TempConfig &) = delete;
	TempConfig &operator=(const TempConfig &) = delete;

	const std::string &path() const { return dir; }
	// The store's text for a list ("Dravimor" or "Dravimor/Brastoke"), or "".
	std::string store_text(const std::string &list) const
	{
		FILE *f = std::fopen((dir + "/" + list + "/PersistentKeys").c_str(), "rb");
		if (f == nullptr)
			return {};
		std::string s;
		char buf[512];
		std::size_t n = 0;
		while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0)
			s.append(buf, n);
		std::fclose(f);
		return s;
	}

private:
	struct Saved
	{
		bool had = false;
		std::string value;
	};
	static void save(const char *name, Saved &s)
	{
		const char *v = std::getenv(name);
		s.had = v != nullptr;
		s.value = v != nullptr ? v : "";
	}
	static void restore(const char *name, const Saved &s)
	{
		if (s.had)
			setenv(name, s.value.c_str(), 1);
		else
			unsetenv(name);
	}

	std::string dir;
	Saved xdg;
	Saved home;
};

} // namespace miditest
