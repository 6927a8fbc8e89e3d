// Menu ids, delimiter rules and look-ups.
#include "skane/Menu.h"
#include "skane/MenuDelimiter.h"
#include "skane/MenuItem.h"
#include "skane/MenuList.h"
#include "skane/MenuListenerInterface.h"
#include "skane/TestMenu.h"

#include <gtest/gtest.h>

using namespace skane;

TEST(Menu, IdsFollowCreationOrderAndCopiesKeepThem)
{
	MenuItem a("a"), b("b", true, true, false);
	EXPECT_EQ(b.get_id(), a.get_id() + 1);
	MenuItem c = b;
	EXPECT_EQ(c.get_id(), b.get_id());
	EXPECT_TRUE(c.is_checkable());
	EXPECT_TRUE(c.is_checked());
	EXPECT_FALSE(c.is_disable());
}

TEST(Menu, DelimiterRules)
{
	EXPECT_EQ(MenuDelimiter().get_rule_text(), "");
	const std::string midi = MenuDelimiter("MIDI").get_rule_text();
	EXPECT_EQ(midi, "--- MIDI " + std::string(31, '-'));
	EXPECT_EQ(midi.size(), 40u);
	// 35 characters still get one closing dash; 36 fill the rule alone.
	EXPECT_EQ(MenuDelimiter(std::string(35, 'x')).get_rule_text(), "--- " + std::string(35, 'x') + " ");
	EXPECT_EQ(MenuDelimiter(std::string(36, 'x')).get_rule_text(), "--- " + std::string(36, 'x'));
	EXPECT_EQ(MenuDelimiter(std::string(200, 'y')).get_rule_text(), "--- " + std::string(123, 'y'));
}

namespace
{

struct Counter : MenuListenerInterface
{
	int calls = 0;
	int do_act() override
	{
		++calls;
		use_item()->check(!use_item()->is_checked());
		return 7;
	}
};

} // namespace

TEST(Menu, FindsNestedItemsAndRunsTheirListener)
{
	MenuList root("root"), sub1("sub1"), sub2("sub2");
	MenuItem top("top"), deep("deep", true), off("off", false, false, true);
	MenuDelimiter delim("MIDI");
	root.push_back(top);
	root.push_back(delim);
	root.push_back(sub1);
	sub1.push_back(sub2);
	sub2.push_back(deep);
	sub2.insert(off, 0);
	EXPECT_EQ(Menu::find_item(root, deep.get_id()), &deep);
	EXPECT_EQ(Menu::find_item(root, top.get_id()), &top);
	EXPECT_EQ(Menu::find_item(root, -5), nullptr);
	EXPECT_EQ(sub2.use_node(0), &off);
	EXPECT_EQ(sub2.use_node(2), nullptr);

	Counter counter, counter2;
	deep.set_listener(&counter);
	off.set_listener(&counter2);
	TestMenu menu;
	MenuRequest req(root);
	menu.begin(req);
	EXPECT_EQ(menu.choose(deep.get_id()), 7);
	EXPECT_TRUE(deep.is_checked());
	EXPECT_EQ(menu.choose(off.get_id()), 0);     // disabled
	EXPECT_EQ(counter2.calls, 0);
	EXPECT_EQ(menu.choose(top.get_id()), 0);     // no listener
	EXPECT_EQ(menu.choose(12345678), 0);         // nothing chosen

	// A list that holds itself is not followed forever.
	MenuList loop;
	loop.push_back(loop);
	EXPECT_EQ(Menu::find_item(loop, 1), nullptr);
}
