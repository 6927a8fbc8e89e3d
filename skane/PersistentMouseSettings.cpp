#include "skane/PersistentMouseSettings.h"

#include "skane/PersistentStoreInterface.h"

#include <strings.h>

namespace skane
{

namespace
{

const char KEY_PATH[] = "Dravimor";
const char KEY_NAME[] = "MouseCompatibility";

std::atomic<PersistentStoreInterface *> store_ptr{nullptr};

} // namespace

void PersistentMouseSettings::set_store(PersistentStoreInterface *store)
{
	store_ptr.store(store);
}

PersistentMouseSettings &PersistentMouseSettings::get_instance()
{
	static PersistentMouseSettings *instance = new PersistentMouseSettings;
	return *instance;
}

PersistentMouseSettings::PersistentMouseSettings()
{
	update_mouse_behaviour();
}

PersistentMouseSettings::MouseBehaviour PersistentMouseSettings::update_mouse_behaviour()
{
	PersistentStoreInterface *store = store_ptr.load();
	std::string val;
	if (store != nullptr && store->read_value(KEY_PATH, KEY_NAME, val)
		&& (strcasecmp(val.c_str(), "0") == 0 || strcasecmp(val.c_str(), "1") == 0))
		_behaviour.store(val == "1" ? MouseBehaviour_COMPATIBLE : MouseBehaviour_ENHANCED);
	else
	{
		_behaviour.store(MouseBehaviour_ENHANCED);
		if (store != nullptr)
			store->write_value(KEY_PATH, KEY_NAME, "0");
	}
	return get_mouse_behaviour();
}

bool PersistentMouseSettings::set_mouse_behaviour(MouseBehaviour behaviour)
{
	PersistentStoreInterface *store = store_ptr.load();
	if (store == nullptr || !store->write_value(KEY_PATH, KEY_NAME, behaviour == MouseBehaviour_COMPATIBLE ? "1" : "0"))
		return false;
	_behaviour.store(behaviour);
	return true;
}

} // namespace skane
