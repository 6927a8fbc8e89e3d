// Key tree: paths, replacement by kind, duplicates, ownership and the exact
// texts thrown.
#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>

using namespace basic;

namespace
{

// The text thrown by f, or "" when nothing is thrown.
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

const char invalid_path[] = "ConfKeyMulti::split_key_path_first : Invalid key path.";
const char no_key[] = "ConfKeyMulti::use_key : Key doesn't exist.";
const char invalid_name[] = "ConfKeyInterface::check_name_throw : Invalid name.";

bool is_section(const ConfKeyInterface *k)
{
	return dynamic_cast<const ConfKeyMulti *>(k) != nullptr;
}

bool is_data(const ConfKeyInterface *k)
{
	return dynamic_cast<const ConfKeyData *>(k) != nullptr;
}

} // namespace

TEST(ConfKeyTree, SetKeyStrCreatesSectionsAndBothSeparatorsWalk)
{
	ConfKeyMulti root("r");
	root.set_key_str("a/b", "1");
	ASSERT_EQ(root.get_nbr_keys(), 1);
	EXPECT_TRUE(is_section(root.walk_key_tree("a")));
	EXPECT_TRUE(is_data(root.walk_key_tree("a/b")));
	EXPECT_EQ(root.get_key_str("a/b"), "1");
	EXPECT_EQ(root.get_key_str("a"), "");
	EXPECT_TRUE(root.is_key_existing("a\\b"));
	EXPECT_TRUE(root.is_key_existing("a/"));
	EXPECT_TRUE(root.is_key_existing("a\\b/"));
	EXPECT_FALSE(root.is_key_existing("a/c"));
	EXPECT_FALSE(root.is_key_existing("a/b/c")); // b is a data key

	root.set_key_str("a\\c/d", "2"); // mixed separators
	EXPECT_EQ(root.get_key_str("a/c\\d"), "2");
	EXPECT_EQ(root.get_key_str("a\\b"), "1");
}

TEST(ConfKeyTree, DataKeyReplacedBySectionAndBack)
{
	ConfKeyMulti root("r");
	root.push_back(ConfKeyData("x", "first"));
	root.push_back(ConfKeyData("a", "old"));
	root.set_key_str("a/b", "1");
	ASSERT_EQ(root.get_nbr_keys(), 2);
	EXPECT_TRUE(is_section(&root.use_key(1)));
	EXPECT_EQ(root.get_key_str("a/b"), "1");

	root.set_key_str("a", "flat");
	ASSERT_EQ(root.get_nbr_keys(), 2);
	EXPECT_TRUE(is_data(&root.use_key(1)));
	EXPECT_EQ(root.get_key_str("a"), "flat");
	EXPECT_EQ(root.get_key_str("x"), "first");
}

TEST(ConfKeyTree, InvalidPathsThrowTheInvalidPathText)
{
	ConfKeyMulti root("r");
	root.set_key_str("a/b", "1");
	const ConfKeyMulti &c = root;
	EXPECT_EQ(thrown_text([&] { c.use_key(std::string()); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.use_key("/a"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.use_key("\\a"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.is_key_existing("a//b"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.is_key_existing("a/\\b"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.get_key_str(""); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.is_key_unique("/"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { c.use_key("zz"); }), no_key);
	EXPECT_EQ(thrown_text([&] { c.use_key("a/zz"); }), no_key);
	EXPECT_EQ(thrown_text([&] { c.find_index_throw("zz"); }), "ConfKeyMulti::find_index_throw : Key not found.");
	EXPECT_EQ(thrown_text([&] { root.set_key_str("", "v"); }), invalid_path);
	EXPECT_EQ(root.get_nbr_keys(), 1);
}

TEST(ConfKeyTree, SplitFirstAndLast)
{
	std::string a;
	std::string b;
	ConfKeyMulti::split_key_path_first(a, b, "x/y\\z");
	EXPECT_EQ(a, "x");
	EXPECT_EQ(b, "y\\z");
	ConfKeyMulti::split_key_path_first(a, b, "x");
	EXPECT_EQ(a, "x");
	EXPECT_EQ(b, "");
	ConfKeyMulti::split_key_path_last(a, b, "x/y\\z");
	EXPECT_EQ(a, "x/y");
	EXPECT_EQ(b, "z");
	ConfKeyMulti::split_key_path_last(a, b, "z");
	EXPECT_EQ(a, "");
	EXPECT_EQ(b, "z");
	// Both name the first-component function.
	EXPECT_EQ(thrown_text([&] { ConfKeyMulti::split_key_path_last(a, b, "x/"); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { ConfKeyMulti::split_key_path_last(a, b, ""); }), invalid_path);
	EXPECT_EQ(thrown_text([&] { ConfKeyMulti::split_key_path_first(a, b, "/x"); }), invalid_path);
}

TEST(ConfKeyTree, NamesAreCheckedOnConstructionAndRename)
{
	EXPECT_EQ(thrown_text([] { ConfKeyData d("a/b"); }), invalid_name);
	EXPECT_EQ(thrown_text([] { ConfKeyMulti m("a\\b"); }), invalid_name);
	EXPECT_EQ(thrown_text([] { ConfKeyData d("with blank", "x"); }), "");
	ConfKeyData d("ok");
	EXPECT_EQ(thrown_text([&] { d.set_name("no/pe"); }), invalid_name);
	EXPECT_TRUE(ConfKeyInterface::check_name(""));
	EXPECT_FALSE(ConfKeyInterface::check_name("\\"));
}

TEST(ConfKeyTree, DuplicatesAddUniqueAndFirstMatch)
{
	ConfKeyMulti root("r");
	root.push_back(ConfKeyData("k", "1"));
	root.push_back(ConfKeyData("k", "2"));
	EXPECT_EQ(root.get_nbr_keys(), 2);
	EXPECT_EQ(root.get_key_str("k"), "1");
	root.add_unique(ConfKeyData("k", "3"));
	ASSERT_EQ(root.get_nbr_keys(), 2);
	EXPECT_EQ(root.get_key_str("k"), "3");
	EXPECT_EQ(static_cast<const ConfKeyContentString &>(static_cast<const ConfKeyData &>(root[1]).use_content()).get_text(), "2");
	EXPECT_FALSE(root.is_key_unique("k"));
	EXPECT_TRUE(root.is_key_unique("absent"));

	// Only the first of a name is followed, even when a later one is a section.
	ConfKeyMulti s("k");
	s.push_back(ConfKeyData("deep", "d"));
	root.push_back(s);
	EXPECT_FALSE(root.is_key_existing("k/deep"));
	EXPECT_EQ(root.find_index_multi("k", 0), 2);
	EXPECT_EQ(root.find_index_data("k", 1), 1);
	EXPECT_EQ(root.find_index_data("k", 2), -1);
	EXPECT_EQ(root.find_index("k", 3), -1);

	// Uniqueness looks at every component of the path.
	ConfKeyMulti top("top");
	ConfKeyMulti a("a");
	a.push_back(ConfKeyData("b", "1"));
	a.push_back(ConfKeyData("b", "2"));
	top.push_back(a);
	EXPECT_FALSE(top.is_key_unique("a/b"));
	EXPECT_TRUE(top.is_key_unique("a"));
}

TEST(ConfKeyTree, CopiesAreDeepAndIndependent)
{
	ConfKeyMulti root("r");
	root.set_key_str("a/b", "1");
	ConfKeyContentMulti list;
	list.push_back(ConfKeyContentString("x"));
	root.push_back(ConfKeyData("l", list));
	list.clear(); // the section kept its own copy
	ConfKeyMulti copy(root);
	root.set_key_str("a/b", "changed");
	EXPECT_EQ(copy.get_key_str("a/b"), "1");
	const auto &l = static_cast<const ConfKeyContentMulti &>(static_cast<const ConfKeyData &>(copy.use_key("l")).use_content());
	EXPECT_EQ(l.get_nbr_contents(), 1);

	// Assigning a descendant of itself.
	ConfKeyMulti &a = static_cast<ConfKeyMulti &>(root.use_key("a"));
	root = a;
	EXPECT_EQ(root.get_name(), "a");
	EXPECT_EQ(root.get_key_str("b"), "changed");

	root.remove(0);
	EXPECT_EQ(root.get_nbr_keys(), 0);
}

TEST(ConfKeyTree, MangleNameIsAsciiWhateverTheLocale)
{
	EXPECT_EQ(ConfKeyInterface::mangle_name("Cut-off Freq"), "Cut_off_Freq");
	EXPECT_EQ(ConfKeyInterface::mangle_name("Brastoke"), "Brastoke");
	const char *old = std::setlocale(LC_CTYPE, nullptr);
	const std::string saved = (old != nullptr) ? old : "C";
	std::setlocale(LC_CTYPE, "C.UTF-8");
	// Two bytes of a UTF-8 letter each become '_'.
	EXPECT_EQ(ConfKeyInterface::mangle_name("Gr\xc3\xbc" "n 2"), "Gr__n_2");
	std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(ConfKeyTree, CommentsAreOneLine)
{
	ConfKeyData d("d");
	d.set_comment("two\nlines\n");
	EXPECT_EQ(d.get_comment(), "two lines ");
}
