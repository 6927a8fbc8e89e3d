// The artwork generator and the preview tool as programs: the generator
// draws the same bytes every time, and refuses another face or a list of
// names that is not the editor's; the preview writes its pictures.
#include "effect/EditorLayout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace
{

using L = EditorLayout;

std::string all_names(const std::string &skip = std::string())
{
	std::string s;
	for (const L::PicRef &r : L::PIC_REF)
	{
		if (skip != r.name)
			s += std::string(" ") + r.name;
	}
	if (skip != L::FONT_REF[0])
		s += std::string(" ") + L::FONT_REF[0];
	return s;
}

std::vector<char> read_all(const std::string &path)
{
	std::ifstream f(path, std::ios::binary);
	return std::vector<char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Runs a command line; its exit status (-1 when it did not exit).
int run(const std::string &cmd)
{
	const int st = std::system((cmd + " 2>/dev/null").c_str());
	return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

class ToolTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char tmpl[] = "/tmp/brastoke_art_XXXXXX";
		ASSERT_NE(mkdtemp(tmpl), nullptr);
		dir = tmpl;
	}
	void TearDown() override { run("rm -rf '" + dir + "'"); }

	std::string artgen(const std::string &regular, const std::string &bold, const std::string &names) const
	{
		return std::string("'") + BRASTOKE_ARTGEN + "' '" + dir + "' '" + regular + "' '" + bold + "'" + names;
	}

	std::string dir;
};

TEST_F(ToolTest, GeneratorDrawsTheSameBytesAsTheBuild)
{
	ASSERT_EQ(run(artgen(BRASTOKE_DEJAVU_SANS, BRASTOKE_DEJAVU_SANS_BOLD, all_names())), 0);
	std::vector<std::string> files;
	for (const L::PicRef &r : L::PIC_REF)
		files.push_back(r.name);
	files.push_back(L::FONT_REF[0]);
	for (const std::string &f : files)
	{
		const std::vector<char> built = read_all(std::string(BRASTOKE_ART_DIR) + "/" + f + ".apic");
		const std::vector<char> again = read_all(dir + "/" + f + ".apic");
		EXPECT_FALSE(built.empty()) << f;
		EXPECT_TRUE(built == again) << f << " differs between two runs";
	}
}

TEST_F(ToolTest, GeneratorRefusesAnotherFace)
{
	// Bold where the book face belongs, and the other way round.
	EXPECT_NE(run(artgen(BRASTOKE_DEJAVU_SANS_BOLD, BRASTOKE_DEJAVU_SANS_BOLD, all_names())), 0);
	EXPECT_NE(run(artgen(BRASTOKE_DEJAVU_SANS, BRASTOKE_DEJAVU_SANS, all_names())), 0);
	EXPECT_NE(run(artgen("/no/such/font.ttf", BRASTOKE_DEJAVU_SANS_BOLD, all_names())), 0);
	struct stat st;
	EXPECT_NE(stat((dir + "/bkg_21_main.apic").c_str(), &st), 0) << "nothing is written";
}

TEST_F(ToolTest, GeneratorRefusesNamesThatAreNotTheEditors)
{
	EXPECT_NE(run(artgen(BRASTOKE_DEJAVU_SANS, BRASTOKE_DEJAVU_SANS_BOLD, all_names("kn_12_p"))), 0);
	EXPECT_NE(run(artgen(BRASTOKE_DEJAVU_SANS, BRASTOKE_DEJAVU_SANS_BOLD, all_names("font_02"))), 0);
	EXPECT_NE(run(artgen(BRASTOKE_DEJAVU_SANS, BRASTOKE_DEJAVU_SANS_BOLD, all_names() + " kn_13_p")), 0);
}

// Width and height of a PNG from its header.
bool png_size(const std::string &path, unsigned &w, unsigned &h)
{
	const std::vector<char> d = read_all(path);
	if (d.size() < 24 || std::string(d.begin() + 1, d.begin() + 4) != "PNG")
		return false;
	auto be = [&](int at) {
		return (unsigned(static_cast<unsigned char>(d[at])) << 24) | (unsigned(static_cast<unsigned char>(d[at + 1])) << 16)
			| (unsigned(static_cast<unsigned char>(d[at + 2])) << 8) | unsigned(static_cast<unsigned char>(d[at + 3]));
	};
	w = be(16);
	h = be(20);
	return true;
}

TEST_F(ToolTest, PreviewWritesTheEditorAndTheKnobSheet)
{
	const std::string png = dir + "/editor.png";
	const std::string sheet = dir + "/sheet.png";
	ASSERT_EQ(run(std::string("'") + BRASTOKE_PREVIEW + "' '" + BRASTOKE_PLUGIN_PATH + "' '" + png + "' --sheet '" + sheet + "'"), 0);
	unsigned w = 0, h = 0;
	ASSERT_TRUE(png_size(png, w, h));
	EXPECT_EQ(w, 300u);
	EXPECT_EQ(h, 335u);
	ASSERT_TRUE(png_size(sheet, w, h));
	EXPECT_GT(w, 0u);

	EXPECT_NE(run(std::string("'") + BRASTOKE_PREVIEW + "' /no/such/file '" + png + "'"), 0);
}

} // namespace
