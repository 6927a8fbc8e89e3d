// A test window with one control group, the test clock and an in-memory
// mouse-settings store, for driving controls with scripted mouse input.
#pragma once

#include "skane/AlphaPicData24.h"
#include "skane/ControlInterface.h"
#include "skane/Picture.h"
#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/DefaultEventListener.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/PersistentMouseSettings.h"
#include "skane/PersistentStoreInterface.h"
#include "skane/TestClock.h"
#include "skane/TestTextLineEditor.h"
#include "skane/TestWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace skane_test
{

class MapStore : public skane::PersistentStoreInterface
{
public:
	static std::string full_key(const std::string &path, const std::string &key)
	{
		std::string k;
		k.reserve(path.size() + key.size() + 1);
		k.append(path).append(1, '/').append(key);
		return k;
	}
	bool read_value(const std::string &path, const std::string &key, std::string &value) override
	{
		auto it = values.find(full_key(path, key));
		if (it == values.end())
			return false;
		value = it->second;
		return true;
	}
	bool write_value(const std::string &path, const std::string &key, const std::string &value) override
	{
		if (!writable)
			return false;
		values[full_key(path, key)] = value;
		return true;
	}
	std::map<std::string, std::string> values;
	bool writable = true;
};

// Records the priorities and custom events a control reports.
struct PriorityListener : skane::DefaultEventListener
{
	std::vector<int> priorities;
	std::vector<long> events;
	double change_num_val_user(double v, int p) override
	{
		priorities.push_back(p);
		return v;
	}
	void send_custom_event(long id, void *) override { events.push_back(id); }
};

// Opaque-alpha square picture of size w x h with the given hot point.
inline skane::Picture square_pic(int w, int h, skane::Coord2D hot)
{
	static std::vector<std::unique_ptr<std::vector<skane::AlphaRGB>>> keep;
	keep.push_back(std::make_unique<std::vector<skane::AlphaRGB>>(w * h, skane::AlphaRGB{9, 9, 9, 255}));
	auto data = std::make_shared<skane::AlphaPicData24>(skane::Coord2D(w, h), keep.back()->data());
	return skane::Picture(data, hot);
}

// Whether the window's log holds this entry.
inline bool logged(const skane::TestWindow &win, const std::string &entry)
{
	for (const std::string &e : win.get_log())
		if (e == entry)
			return true;
	return false;
}

struct ControlFixture : ::testing::Test
{
	MapStore store;
	skane::TestWindow win{skane::Coord2D(300, 300)};
	skane::MemoryRenderingBuffer buf{skane::Coord2D(64, 64)};
	skane::CtrlGroupSplit root{skane::CtrlGroupSplit::Type_ROWS};
	skane::CtrlGroupItem group;
	skane::TestTextLineEditor editor;
	PriorityListener listener;

	void SetUp() override
	{
		skane::TestClock::install(100.0);
		skane::PersistentMouseSettings::set_store(&store);
		skane::PersistentMouseSettings::get_instance().set_mouse_behaviour(
			skane::PersistentMouseSettings::MouseBehaviour_ENHANCED);
		root.push_back(group, 300);
		root.refresh_coord(skane::Coord2D());
		win.set_rd_buf(&buf);
		win.set_ctrl_group_root(root);
		win.set_text_line_editor(&editor);
		win.open(nullptr);
	}
	void TearDown() override
	{
		win.close();
		skane::PersistentMouseSettings::set_store(nullptr);
		skane::TestClock::uninstall();
	}
	void add(skane::ControlInterface &c, skane::Coord2D pos, skane::Rect box)
	{
		c.set_rel_coord(pos);
		c.set_box(box);
		c.push_back_listener(&listener);
		group.push_back(c);
	}
	void press(skane::Coord2D p)
	{
		win.set_pointer_pos(p);
		win.process_mouse_down(p, 1, 0, 1);
	}
	// A move of the pointer by d (the back end puts it back under a
	// relative capture).
	void move_by(skane::Coord2D d)
	{
		const skane::Coord2D p = win.get_pointer_pos() + d;
		win.set_pointer_pos(p);
		win.process_mouse_moved(p, 1, 0);
	}
	void release() { win.process_mouse_up(win.get_pointer_pos(), 0); }
};

} // namespace skane_test
