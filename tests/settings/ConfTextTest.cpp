// Configuration text: the writer's layout and quoting, the reader's status
// for each kind of bad input, and round trips.
#include "basic/ConfKeyCompare.h"
#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

using namespace basic;

namespace
{

struct ReadResult
{
	std::unique_ptr<ConfKeyInterface> key;
	int status;
};

ReadResult read(const std::string &text)
{
	ReadResult r;
	r.key.reset(ConfKeyFactory::get_instance().create_key(text, r.status));
	return r;
}

std::string write(const ConfKeyInterface &key)
{
	std::string out;
	key.write_to_string(out);
	return out;
}

const ConfKeyContentInterface &content_of(const ConfKeyInterface &k)
{
	return dynamic_cast<const ConfKeyData &>(k).use_content();
}

std::string text_of(const ConfKeyInterface &k)
{
	return dynamic_cast<const ConfKeyContentString &>(content_of(k)).get_text();
}

const ConfKeyContentMulti &list_of(const ConfKeyInterface &k)
{
	return dynamic_cast<const ConfKeyContentMulti &>(content_of(k));
}

// The tree of the format's worked example.
ConfKeyMulti example_tree()
{
	ConfKeyMulti root("Brastoke_config_section");
	root.push_back(ConfKeyData("version", "1.31"));
	ConfKeyMulti s("s");
	ConfKeyContentMulti list;
	list.push_back(ConfKeyContentString("1"));
	list.push_back(ConfKeyContentString("a b"));
	ConfKeyData t("t", list);
	t.set_comment("two items");
	s.push_back(t);
	s.push_back(ConfKeyData("u", "x"));
	root.push_back(s);
	return root;
}

const char example_text[] =
	"Brastoke_config_section =\n"
	"{\n"
	"   version = 1.31\n"
	"   s =\n"
	"   {\n"
	"      t = { 1 \"a b\" }\t// two items\n"
	"      u = x\n"
	"   }\n"
	"}";

} // namespace

TEST(ConfText, WorkedExampleByteForByteAndBack)
{
	const ConfKeyMulti tree = example_tree();
	EXPECT_EQ(write(tree), example_text);
	std::ostringstream os;
	os << tree;
	EXPECT_EQ(os.str(), example_text);

	ReadResult r = read(example_text);
	EXPECT_EQ(r.status, 0);
	ASSERT_TRUE(r.key);
	EXPECT_TRUE(conf_key_equal(*r.key, tree));
	const auto &s = dynamic_cast<const ConfKeyMulti &>(dynamic_cast<const ConfKeyMulti &>(*r.key).use_key("s"));
	EXPECT_EQ(s.use_key(0).get_comment(), ""); // comments are dropped
}

TEST(ConfText, QuotingRule)
{
	const ConfKeyMulti dummy;
	ConfKeyStreamInterface::Context ctx;
	const struct
	{
		const char *text;
		const char *written;
	} cases[] = {
		{ "plain", "plain" },
		{ "a b", "\"a b\"" },
		{ "a\tb", "\"a\tb\"" },
		{ "a,b", "\"a,b\"" },
		{ "a\nb", "\"a\nb\"" },
		{ "", "\"\"" },
		{ "a\bb", "a\bb" }, // backspace alone does not quote
		{ "a\rb", "a\rb" },
	};
	for (const auto &c : cases)
	{
		std::string out;
		dummy.write_string_to_string(out, ctx, c.text);
		EXPECT_EQ(out, c.written) << c.text;
	}

	// A text with a backspace is written bare and splits when read back.
	ReadResult r = read("k = a\bb");
	EXPECT_EQ(r.status, ConfKeyFactory::ERR_LEFT_OVER);
	ASSERT_TRUE(r.key);
	EXPECT_EQ(text_of(*r.key), "a");
}

TEST(ConfText, LayoutOfSectionsListsAndComments)
{
	ConfKeyMulti root("root name");
	root.set_comment("top");
	ConfKeyMulti empty("e");
	ConfKeyContentMulti nested;
	nested.push_back(ConfKeyContentMulti());
	nested.push_back(ConfKeyContentString("q,r"));
	root.push_back(empty);
	root.push_back(ConfKeyData("n", nested));
	EXPECT_EQ(write(root),
		"// top\n"
		"\"root name\" =\n"
		"{\n"
		"   e =\n"
		"   {\n"
		"   }\n"
		"   n = { { } \"q,r\" }\n"
		"}");

	ConfKeyStreamInterface::Context ctx;
	EXPECT_EQ(ctx.inc_indent_level(), 1);
	ctx.inc_indent_level();
	EXPECT_EQ(ctx.get_indent_string(), "      ");
}

TEST(ConfText, AnonymousKeysCannotBeWritten)
{
	ConfKeyMulti root("r");
	root.push_back(ConfKeyData());
	std::string out;
	try
	{
		root.write_to_string(out);
		FAIL() << "no exception";
	}
	catch (const char *text)
	{
		EXPECT_STREQ(text, "ConfKeyInterface::do_write_to_string : Key can't be anonymous.");
	}
}

TEST(ConfText, EmptySectionReadsBackAsEmptyList)
{
	ReadResult r = read(write(ConfKeyMulti("e")));
	EXPECT_EQ(r.status, 0);
	ASSERT_TRUE(r.key);
	EXPECT_EQ(list_of(*r.key).get_nbr_contents(), 0);
}

// Every status the reader can give, with the input that gives it. -1016 (a
// text missing at the end) and -1024 (a node of unknown kind) are guards no
// input reaches: a text is read only after at least one lexeme was seen.
TEST(ConfText, ReaderStatusTable)
{
	const struct
	{
		const char *text;
		int status;
		bool key;
	} cases[] = {
		{ "", 0, false },
		{ " \n\t// only a comment\n", 0, false },
		{ "a = 1", 0, true },
		{ "a = 1 b = 2", -1015, true },
		{ "a", -1015, false },
		{ "a =", -1015, false },
		{ "= a b", -1015, false },
		{ "a = = b", -1015, false },
		{ "\"=\"", -1015, false },
		{ "a = \"{\"", -1018, true },
		{ "a = { \"{\" }", -1017, true },
		{ "a = { x \"{\" }", -1017, true },
		{ "a = { b = 1 c }", -1019, true },
		{ "a = { b = 1 c = }", -1019, true },
		{ "a = { a = { a = } }", -1019, true },
		{ "a = { a = \"{\" }", -1019, true },
		{ "a = { b = 1 \"}\" = 2 }", -1015, true },
		{ "a = \"open", -1020, false },
		{ "a = \"open\n\"", -1020, false },
		{ "a = }", -1020, false },
		{ "a = { b = 1", -1020, false },
		{ "} a = {", -1020, false },
	};
	for (const auto &c : cases)
	{
		ReadResult r = read(c.text);
		EXPECT_EQ(r.status, c.status) << c.text;
		EXPECT_EQ(static_cast<bool>(r.key), c.key) << c.text;
		EXPECT_EQ(ConfKeyFactory::get_instance().get_last_error(), c.status) << c.text;
	}
}

TEST(ConfText, ReaderSamples)
{
	ReadResult r = read("a = { b = 1 }");
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(dynamic_cast<const ConfKeyMulti &>(*r.key).get_key_str("b"), "1");

	r = read("a = { b c }");
	EXPECT_EQ(r.status, 0);
	ASSERT_EQ(list_of(*r.key).get_nbr_contents(), 2);
	EXPECT_EQ(dynamic_cast<const ConfKeyContentString &>(list_of(*r.key)[1]).get_text(), "c");

	r = read("x = 5 // five");
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(text_of(*r.key), "5");
	r = read("x = 5//six");
	EXPECT_EQ(text_of(*r.key), "5");
	r = read("x = 5/\ny = 6");
	EXPECT_EQ(r.status, -1015); // a slash before the line feed is kept
	EXPECT_EQ(text_of(*r.key), "5/");

	// Quotes keep operators, comment markers and blanks; "" is the empty text.
	r = read("\"a b\" = { \"x = {//}\" \"\" }");
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.key->get_name(), "a b");
	EXPECT_EQ(dynamic_cast<const ConfKeyContentString &>(list_of(*r.key)[0]).get_text(), "x = {//}");
	EXPECT_EQ(dynamic_cast<const ConfKeyContentString &>(list_of(*r.key)[1]).get_text(), "");

	// Duplicate names are kept in file order.
	r = read("s = { k = 1 k = 2 }");
	EXPECT_EQ(dynamic_cast<const ConfKeyMulti &>(*r.key).get_nbr_keys(), 2);

	// Backspace and vertical tab separate lexemes; the comma does not.
	r = read("a\b=\vb,c");
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(text_of(*r.key), "b,c");
}

TEST(ConfText, CarriageReturnsDoNotReadBack)
{
	ReadResult r = read("s =\r\n{\r\n   k = v\r\n}\r\n");
	// The carriage return after "=" is the value: s is a data key and the
	// rest is left over.
	EXPECT_EQ(r.status, -1015);
	ASSERT_TRUE(r.key);
	EXPECT_EQ(text_of(*r.key), "\r");

	r = read("k = v\r\n");
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(text_of(*r.key), "v\r");
}

TEST(ConfText, NamesWithSeparatorsThrowFromTheReader)
{
	EXPECT_THROW(read("a/b = 1"), const char *);
	EXPECT_THROW(read("s = { x\\y = 1 }"), const char *);
}

TEST(ConfText, NestingDepthIsBounded)
{
	std::string deep = "a = ";
	for (int i = 0; i < ConfKeyFactory::MAX_DEPTH; ++i)
	{
		deep += "{ ";
	}
	std::string close(ConfKeyFactory::MAX_DEPTH * 2, ' ');
	for (int i = 0; i < ConfKeyFactory::MAX_DEPTH; ++i)
	{
		close[i * 2] = '}';
	}
	EXPECT_EQ(read(deep + close).status, 0);
	EXPECT_EQ(read("a = { " + deep + close + "}").status, -1020);
}

TEST(ConfText, RoundTripOfRepresentableTrees)
{
	ConfKeyMulti root("Brastoke_config_section");
	root.set_key_str("midi/control_map/id_0", "cc_7");
	root.set_key_str("midi/port_in/name", "built-in MIDI In interface");
	root.set_key_str("tabs and, commas", "a\tb,c");
	root.set_key_str("empty", "");
	root.set_key_str("cr", "x\r");
	ConfKeyContentMulti list;
	list.push_back(ConfKeyContentString(""));
	ConfKeyContentMulti inner;
	inner.push_back(ConfKeyContentString("1 2"));
	list.push_back(inner);
	list.push_back(ConfKeyContentMulti());
	root.push_back(ConfKeyData("l", list));
	ASSERT_TRUE(conf_key_representable(root));

	const std::string text = write(root);
	ReadResult r = read(text);
	EXPECT_EQ(r.status, 0);
	ASSERT_TRUE(r.key);
	EXPECT_TRUE(conf_key_equal(*r.key, root)) << text;
	EXPECT_EQ(write(*r.key), text);

	root.push_back(ConfKeyMulti("empty section"));
	EXPECT_FALSE(conf_key_representable(root));
	EXPECT_FALSE(conf_key_representable(ConfKeyData("k", "=")));
	EXPECT_FALSE(conf_key_representable(ConfKeyData("k", "a//b")));
	EXPECT_FALSE(conf_key_representable(ConfKeyData("k", "a\"b")));
	EXPECT_TRUE(conf_key_representable(ConfKeyData("k", "a/b")));
}
