#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "sys/ElfSection.h"
#include "sys/Resource.h"
#include "sys/ResourceContainer.h"

using sys::ResourceContainer;

namespace
{

std::vector<unsigned char> sample(std::size_t min_size = 0)
{
	std::vector<ResourceContainer::Item> items;
	items.push_back({sys::make_type_code("YURK"), "static_presets", {1, 2, 3, 4, 5}});
	items.push_back({sys::make_type_code("APIC"), "knob", std::vector<unsigned char>(37, 9)});
	items.push_back({sys::make_type_code("AP"), "short", {}});
	return ResourceContainer::build(items, min_size);
}

} // namespace

TEST(ResourceTypeCode, CharactersFillFromTheLowByteUp)
{
	EXPECT_EQ(sys::make_type_code("APIC"), 0x41504943u);
	EXPECT_EQ(sys::make_type_code("YURK"), 0x5955524Bu);
	EXPECT_EQ(sys::make_type_code("AP"), 0x20204150u);
	EXPECT_EQ(sys::make_type_code(""), 0x20202020u);
	EXPECT_EQ(sys::make_type_code("APICX"), 0x41504943u);
	EXPECT_EQ(sys::type_code_to_text(0x41504943u), "APIC");
}

TEST(ResourceContainer, FindsEachResourceWithItsSizeAligned)
{
	const auto bytes = sample(4096);
	ResourceContainer res(bytes.data(), bytes.size());
	ASSERT_TRUE(res.is_valid());
	std::size_t size = 0;
	const auto *p = static_cast<const unsigned char *>(res.find(sys::make_type_code("YURK"), "static_presets", size));
	ASSERT_NE(p, nullptr);
	EXPECT_EQ(size, 5u);
	EXPECT_EQ(p[4], 5);
	EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 8, reinterpret_cast<std::uintptr_t>(bytes.data()) % 8);
	EXPECT_NE(res.find(sys::make_type_code("APIC"), "knob", size), nullptr);
	EXPECT_EQ(size, 37u);
	EXPECT_NE(res.find(sys::make_type_code("AP"), "short", size), nullptr);
	EXPECT_EQ(size, 0u);
	EXPECT_EQ(res.find(sys::make_type_code("APIC"), "static_presets", size), nullptr);
	EXPECT_EQ(res.find(sys::make_type_code("YURK"), "missing", size), nullptr);
}

TEST(ResourceContainer, CorruptOrTruncatedContainersHoldNothing)
{
	const auto bytes = sample();
	for (std::size_t len = 0; len < bytes.size(); ++len)
	{
		ResourceContainer res(bytes.data(), len);
		EXPECT_FALSE(res.is_valid()) << len;
	}
	for (std::size_t i = 0; i < bytes.size(); ++i)
	{
		auto bad = bytes;
		bad[i] ^= 0x40;
		ResourceContainer res(bad.data(), bad.size());
		std::size_t size = 0;
		EXPECT_FALSE(res.is_valid()) << i;
		EXPECT_EQ(res.find(sys::make_type_code("YURK"), "static_presets", size), nullptr);
	}
}

TEST(ResourceContainer, OwningCopyOutlivesTheSource)
{
	auto bytes = sample();
	ResourceContainer res{std::vector<unsigned char>(bytes)};
	bytes.assign(bytes.size(), 0);
	std::size_t size = 0;
	EXPECT_NE(res.find(sys::make_type_code("APIC"), "knob", size), nullptr);
}

TEST(ElfSection, FindsSectionsOfARealFileAndRejectsGarbage)
{
	std::vector<unsigned char> exe;
	ASSERT_TRUE(sys::read_file("/proc/self/exe", exe));
	sys::ElfSectionPos pos;
	EXPECT_TRUE(sys::find_elf_section(exe.data(), exe.size(), ".text", pos));
	EXPECT_GT(pos.size, 0u);
	EXPECT_FALSE(sys::find_elf_section(exe.data(), exe.size(), "no_such_section", pos));
	for (std::size_t len : {0ul, 10ul, 64ul, 200ul})
		EXPECT_FALSE(sys::find_elf_section(exe.data(), len, ".text", pos));
	std::vector<unsigned char> noise(4096, 0x5A);
	EXPECT_FALSE(sys::find_elf_section(noise.data(), noise.size(), ".text", pos));
}

TEST(Resource, NoResourceFileMeansNoResources)
{
	sys::clear_res_file();
	EXPECT_EQ(sys::get_resource("YURK", "static_presets"), nullptr);
	EXPECT_EQ(sys::set_res_file("/proc/self/exe"), -1);
	EXPECT_EQ(sys::set_res_file("/no/such/file"), -1);
	EXPECT_EQ(sys::get_res_file(), nullptr);
}
