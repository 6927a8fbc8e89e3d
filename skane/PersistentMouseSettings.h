// The user's mouse behaviour for knobs, faders and spins: enhanced (hidden,
// re-centred pointer with relative motion) or compatible (absolute
// tracking). Kept as "MouseCompatibility" ("0" or "1") under "Dravimor" in
// the persistent store. Process-wide, created on first use (thread-safe),
// never freed.
#pragma once

#include <atomic>

namespace skane
{

class PersistentStoreInterface;

class PersistentMouseSettings
{
public:
	enum MouseBehaviour
	{
		MouseBehaviour_ENHANCED = 0,
		MouseBehaviour_COMPATIBLE = 1
	};

	// The store used by every later read and write (not owned; null: no
	// store, reads give enhanced and writes fail). Install it before the
	// first get_instance, or call update_mouse_behaviour after.
	static void set_store(PersistentStoreInterface *store);

	// The first call reads the store; a missing or unrecognised value is
	// replaced by writing "0".
	static PersistentMouseSettings &get_instance();

	MouseBehaviour get_mouse_behaviour() const { return static_cast<MouseBehaviour>(_behaviour.load()); }
	// Re-reads the store and returns the behaviour.
	MouseBehaviour update_mouse_behaviour();
	// Writes the key; the value in memory changes only if the write
	// succeeded. Returns whether it did.
	bool set_mouse_behaviour(MouseBehaviour behaviour);

private:
	PersistentMouseSettings();

	std::atomic<int> _behaviour{MouseBehaviour_ENHANCED};
};

} // namespace skane
