// A menu entry: an id from the process-wide generator (1, 2, 3, ... in
// creation order; copies keep theirs), a listener and three flags.
#pragma once

#include "skane/MenuNodeInterface.h"

#include <atomic>

namespace skane
{

class MenuListenerInterface;

class MenuItem : public MenuNodeInterface
{
public:
	class MenuIdGenerator
	{
	public:
		static MenuIdGenerator &get_instance();
		int get_id() { return ++_counter; }

	private:
		MenuIdGenerator() = default;
		std::atomic<int> _counter{0};
	};

	explicit MenuItem(const std::string &label = std::string(), bool checkable = false, bool checked = false,
		bool disabled = false);

	// Not owned; the listener learns its item.
	void set_listener(MenuListenerInterface *listener);
	MenuListenerInterface *use_listener() const { return _listener; }
	void check(bool checked) { _checked = checked; }
	bool is_checked() const { return _checked; }
	void set_checkable(bool checkable) { _checkable = checkable; }
	bool is_checkable() const { return _checkable; }
	void disable(bool disabled) { _disabled = disabled; }
	bool is_disable() const { return _disabled; }
	int get_id() const { return _id; }

private:
	int _id;
	MenuListenerInterface *_listener = nullptr;
	bool _checkable;
	bool _checked;
	bool _disabled;
};

} // namespace skane
