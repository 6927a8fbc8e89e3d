// Instances opened and closed in numbers and from several threads, concurrent
// host calls, and the resources inside the shared object.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "sys/ElfSection.h"
#include "tests/host/PluginHarness.h"

using test::PluginHarness;
using namespace vst2;

namespace
{

std::string temp_copy(const char *name)
{
	const std::string dir = std::string(BRASTOKE_BINARY_DIR) + "/tests/host";
	const std::string path = dir + "/" + name;
	std::ifstream src(test::plugin_path(), std::ios::binary);
	std::ofstream dst(path, std::ios::binary | std::ios::trunc);
	dst << src.rdbuf();
	return path;
}

int run(const std::string &cmd)
{
	return std::system(cmd.c_str());
}

} // namespace

TEST(PluginLifecycle, HundredOpenCloseCycles)
{
	PluginHarness host;
	for (int i = 0; i < 100; ++i)
	{
		AEffect *fx = host.open();
		ASSERT_NE(fx, nullptr);
		PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
		host.close(fx);
	}
}

TEST(PluginLifecycle, InstancesCreatedFromSeveralThreads)
{
	PluginHarness host;
	std::atomic<int> ok{0};
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; ++t)
		threads.emplace_back([&] {
			for (int i = 0; i < 10; ++i)
			{
				AEffect *fx = host.open();
				if (fx == nullptr)
					continue;
				if (PluginHarness::text(fx, effGetEffectName) == "Brastoke")
					++ok;
				host.close(fx);
			}
		});
	for (auto &t : threads)
		t.join();
	EXPECT_EQ(ok.load(), 40);
}

TEST(PluginThreads, HostCallsFromThreeThreadsAtOnce)
{
	PluginHarness host;
	AEffect *fx = host.open();
	ASSERT_NE(fx, nullptr);
	PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
	std::atomic<bool> stop{false};
	std::thread audio([&] {
		std::vector<float> l(256, 0.1f);
		std::vector<float> r(256, -0.1f);
		float *io[2] = {l.data(), r.data()};
		std::mt19937 rng(1);
		while (!stop.load())
		{
			fx->setParameter(fx, static_cast<int>(rng() % 8), static_cast<float>(rng() % 1000) / 1000.0f);
			fx->processReplacing(fx, io, io, 256);
			(void)fx->getParameter(fx, 0);
		}
	});
	std::thread gui([&] {
		std::mt19937 rng(2);
		while (!stop.load())
		{
			PluginHarness::dispatch(fx, effSetProgram, 0, static_cast<intptr>(rng() % 8));
			(void)PluginHarness::text(fx, effGetParamDisplay, static_cast<int>(rng() % 8));
			(void)PluginHarness::chunk(fx, true);
			PluginHarness::dispatch(fx, effSetSampleRate, 0, 0, nullptr, (rng() % 2) != 0 ? 44100.0f : 48000.0f);
		}
	});
	std::thread session([&] {
		while (!stop.load())
		{
			const auto bank = PluginHarness::chunk(fx, false);
			PluginHarness::set_chunk(fx, bank, false);
			(void)PluginHarness::text(fx, effGetProgramName);
			PluginHarness::dispatch(fx, effMainsChanged, 0, 0);
			PluginHarness::dispatch(fx, effMainsChanged, 0, 1);
		}
	});
	std::this_thread::sleep_for(std::chrono::milliseconds(1500));
	stop = true;
	audio.join();
	gui.join();
	session.join();
	host.close(fx);
}

TEST(PluginResources, StrippedPluginStillLoads)
{
	const std::string path = temp_copy("Brastoke-stripped.so");
	ASSERT_EQ(run("strip --strip-all '" + path + "'"), 0);
	PluginHarness host(path.c_str());
	AEffect *fx = host.open();
	ASSERT_NE(fx, nullptr);
	EXPECT_EQ(fx->numPrograms, 8);
	EXPECT_EQ(PluginHarness::text(fx, effGetProgramName), "Init");
	host.close(fx);
}

TEST(PluginResources, CorruptContainerMeansNoInstance)
{
	const std::string path = temp_copy("Brastoke-corrupt.so");
	std::vector<unsigned char> bytes;
	ASSERT_TRUE(sys::read_file(path, bytes));
	sys::ElfSectionPos pos;
	ASSERT_TRUE(sys::find_elf_section(bytes.data(), bytes.size(), sys::RESOURCE_SECTION, pos));
	bytes[pos.file_offset + 200] ^= 0xFF;
	{
		std::ofstream f(path, std::ios::binary | std::ios::trunc);
		f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
	}
	PluginHarness host(path.c_str());
	ASSERT_NE(host.entry(), nullptr);
	EXPECT_EQ(host.entry()(&PluginHarness::callback), nullptr);
}

TEST(PluginResources, ResourceToolReplacesTheFactoryBank)
{
	const std::string dir = std::string(BRASTOKE_BINARY_DIR) + "/tests/host";
	const std::string tool = std::string(BRASTOKE_BINARY_DIR) + "/tools/restool/brastoke-res";
	const std::string bankgen = std::string(BRASTOKE_BINARY_DIR) + "/tools/bankgen/brastoke-bankgen";
	{
		std::ofstream src(dir + "/bank.txt");
		src << "program \"Init\"\n";
		for (int p = 1; p < 8; ++p)
			src << "program \"Replaced " << p << "\"\n\tTone = 0.25\n";
	}
	ASSERT_EQ(run(bankgen + " " + dir + "/bank.txt " + dir + "/bank.pbk"), 0);
	ASSERT_EQ(run(tool + " list '" + test::plugin_path() + "' > /dev/null"), 0);
	ASSERT_EQ(run(tool + " extract '" + test::plugin_path() + "' YURK static_presets " + dir + "/orig.pbk"), 0);
	ASSERT_EQ(run(tool + " replace '" + test::plugin_path() + "' YURK static_presets " + dir + "/bank.pbk " + dir + "/Brastoke-replaced.so"), 0);
	PluginHarness host((dir + "/Brastoke-replaced.so").c_str());
	AEffect *fx = host.open();
	ASSERT_NE(fx, nullptr);
	char name[64];
	PluginHarness::dispatch(fx, effGetProgramNameIndexed, 4, 0, name);
	EXPECT_STREQ(name, "Replaced 4");
	PluginHarness::dispatch(fx, effSetProgram, 0, 4);
	EXPECT_FLOAT_EQ(fx->getParameter(fx, 7), 0.25f);
	host.close(fx);
}
