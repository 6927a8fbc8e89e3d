// The bindings of MIDI controllers to parameters, shared by the thread that
// decodes MIDI input (the host's audio thread), the editor's thread and the
// thread that loads settings, without a lock on the audio side.
//
// The bindings live in a fixed-capacity table sorted by controller id and
// published through an atomic pointer. Readers take the current table
// inside a use gate. Writers on non-audio threads serialise on a mutex,
// copy the table, change the copy and publish it. Learning on the audio
// thread does the same into one of a few spare tables prepared in advance,
// so it never allocates; an unpublished table is freed (or recycled as a
// spare) by a non-audio thread once the gate has been seen empty.
//
// Both invariants hold in every published table: a parameter is bound to at
// most one controller, a controller to at most one parameter.
//
// When the table is full (CAPACITY bindings), a load skips the extra keys
// and a learn fails quietly; a learn also fails quietly when every spare
// table was used since the last non-audio call.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "plegg/MidiUseGate.h"

namespace plegg
{

class MidiParamMap
{
public:
	static constexpr int CAPACITY = 512;
	static constexpr int NBR_SPARES = 4;

	class Table
	{
	public:
		struct Entry
		{
			std::int32_t ctrl;
			std::int32_t param;
		};

		int get_count() const { return count; }
		const Entry &get_entry(int i) const { return entries[i]; }
		// -1 when the controller is not bound.
		int find_param(long ctrl) const;
		// The first controller bound to param in ascending id order, or -1.
		long find_ctrl(int param) const;
		// Frees param's old controller, then binds ctrl to param (taking it
		// from its previous parameter). False, with nothing changed, when a
		// new entry is needed and the table is full.
		bool associate(int param, long ctrl);
		void dissociate(int param);
		void clear() { count = 0; }
		void copy_from(const Table &other);

	private:
		friend class MidiParamMap;

		int lower_bound(long ctrl) const;
		void remove_at(int pos);

		int count = 0;
		Entry entries[CAPACITY];
		Table *next_retired = nullptr;
	};

	// Controller ids a table can hold.
	static bool is_ctrl_valid(long ctrl) { return ctrl >= 0 && ctrl <= INT32_MAX; }

	MidiParamMap();
	~MidiParamMap();
	MidiParamMap(const MidiParamMap &) = delete;
	MidiParamMap &operator=(const MidiParamMap &) = delete;

	// Any thread, lock-free.
	int find_param(long ctrl) const;
	long find_ctrl(int param) const;

	// Threads that decode MIDI input: lock-free, no allocation. False when
	// the binding was not made (full, no spare, or other writers kept
	// publishing in between).
	bool learn(int param, long ctrl);

	// Non-audio threads. edit runs on a private copy and publishes it when
	// it answers true; it may run more than once (when a learn publishes in
	// between), so it must only change the table.
	void edit(const std::function<bool(Table &)> &fnc);
	bool associate(int param, long ctrl);
	void dissociate(int param);
	void clear();
	std::map<long, int> get_map() const;
	// Frees or recycles the tables nobody can reach any more and refills
	// the spares. Every non-audio operation above does it too.
	void collect();

private:
	Table *take_spare();
	bool put_spare(Table *t);
	void retire(Table *t);
	void collect_locked();

	mutable std::mutex writer_mutex;
	std::vector<Table *> unreachable_soon; // under writer_mutex
	MidiUseGate gate;
	std::atomic<Table *> current;
	std::atomic<Table *> spares[NBR_SPARES];
	std::atomic<Table *> retired{nullptr};
};

} // namespace plegg
