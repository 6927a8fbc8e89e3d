#include "plegg/MidiParamMap.h"

#include <algorithm>
#include <cstring>

namespace plegg
{

namespace
{

// A learn retries this often when other writers publish in between.
constexpr int LEARN_TRIES = 4;

} // namespace

// --- Table ---

int MidiParamMap::Table::lower_bound(long ctrl) const
{
	int lo = 0;
	int hi = count;
	while (lo < hi)
	{
		const int mid = (lo + hi) / 2;
		if (entries[mid].ctrl < ctrl)
			lo = mid + 1;
		else
			hi = mid;
	}
	return lo;
}

int MidiParamMap::Table::find_param(long ctrl) const
{
	const int pos = lower_bound(ctrl);
	return (pos < count && entries[pos].ctrl == ctrl) ? entries[pos].param : -1;
}

long MidiParamMap::Table::find_ctrl(int param) const
{
	for (int i = 0; i < count; ++i)
		if (entries[i].param == param)
			return entries[i].ctrl;
	return -1;
}

void MidiParamMap::Table::remove_at(int pos)
{
	std::memmove(&entries[pos], &entries[pos + 1], sizeof(Entry) * static_cast<std::size_t>(count - pos - 1));
	--count;
}

bool MidiParamMap::Table::associate(int param, long ctrl)
{
	if (param < 0 || !is_ctrl_valid(ctrl))
		return false;
	const int pos = lower_bound(ctrl);
	const bool ctrl_bound = pos < count && entries[pos].ctrl == ctrl;
	if (!ctrl_bound && count >= CAPACITY && find_ctrl(param) < 0)
		return false;
	dissociate(param);
	const int at = lower_bound(ctrl);
	if (at < count && entries[at].ctrl == ctrl)
	{
		entries[at].param = param;
		return true;
	}
	std::memmove(&entries[at + 1], &entries[at], sizeof(Entry) * static_cast<std::size_t>(count - at));
	entries[at].ctrl = static_cast<std::int32_t>(ctrl);
	entries[at].param = param;
	++count;
	return true;
}

void MidiParamMap::Table::dissociate(int param)
{
	int w = 0;
	for (int r = 0; r < count; ++r)
		if (entries[r].param != param)
			entries[w++] = entries[r];
	count = w;
}

void MidiParamMap::Table::copy_from(const Table &other)
{
	count = other.count;
	std::memcpy(entries, other.entries, sizeof(Entry) * static_cast<std::size_t>(count));
}

// --- Map ---

MidiParamMap::MidiParamMap()
: current(new Table)
{
	for (auto &s : spares)
		s.store(new Table);
}

MidiParamMap::~MidiParamMap()
{
	delete current.load();
	for (auto &s : spares)
		delete s.load();
	Table *t = retired.load();
	while (t != nullptr)
	{
		Table *next = t->next_retired;
		delete t;
		t = next;
	}
	for (Table *u : unreachable_soon)
		delete u;
}

int MidiParamMap::find_param(long ctrl) const
{
	MidiUseGate::Pass pass(gate);
	return current.load()->find_param(ctrl);
}

long MidiParamMap::find_ctrl(int param) const
{
	MidiUseGate::Pass pass(gate);
	return current.load()->find_ctrl(param);
}

MidiParamMap::Table *MidiParamMap::take_spare()
{
	for (auto &s : spares)
	{
		if (s.load(std::memory_order_relaxed) == nullptr)
			continue;
		Table *t = s.exchange(nullptr);
		if (t != nullptr)
			return t;
	}
	return nullptr;
}

bool MidiParamMap::put_spare(Table *t)
{
	for (auto &s : spares)
	{
		Table *expected = nullptr;
		if (s.compare_exchange_strong(expected, t))
			return true;
	}
	return false;
}

void MidiParamMap::retire(Table *t)
{
	Table *head = retired.load();
	do
		t->next_retired = head;
	while (!retired.compare_exchange_weak(head, t));
}

bool MidiParamMap::learn(int param, long ctrl)
{
	if (param < 0 || !is_ctrl_valid(ctrl))
		return false;
	MidiUseGate::Pass pass(gate);
	Table *cur = current.load();
	Table *t = nullptr;
	bool done = false;
	for (int tries = 0; tries < LEARN_TRIES && !done; ++tries)
	{
		if (cur->find_param(ctrl) == param)
		{
			// Already bound this way; no copy needed.
			done = true;
			break;
		}
		if (t == nullptr && (t = take_spare()) == nullptr)
			break;
		t->copy_from(*cur);
		if (!t->associate(param, ctrl))
			break;
		if (current.compare_exchange_strong(cur, t))
		{
			retire(cur);
			t = nullptr;
			done = true;
		}
	}
	if (t != nullptr && !put_spare(t))
		retire(t);
	return done;
}

void MidiParamMap::edit(const std::function<bool(Table &)> &fnc)
{
	std::lock_guard<std::mutex> lock(writer_mutex);
	Table *t = new Table;
	Table *cur = current.load();
	while (true)
	{
		// cur stays valid: tables are freed only under writer_mutex.
		t->copy_from(*cur);
		if (!fnc(*t))
		{
			delete t;
			break;
		}
		if (current.compare_exchange_strong(cur, t))
		{
			unreachable_soon.push_back(cur);
			break;
		}
	}
	collect_locked();
}

bool MidiParamMap::associate(int param, long ctrl)
{
	bool ok = false;
	edit([&](Table &t) { return ok = t.associate(param, ctrl); });
	return ok;
}

void MidiParamMap::dissociate(int param)
{
	edit([&](Table &t) {
		const int before = t.get_count();
		t.dissociate(param);
		return t.get_count() != before;
	});
}

void MidiParamMap::clear()
{
	edit([](Table &t) {
		if (t.get_count() == 0)
			return false;
		t.clear();
		return true;
	});
}

std::map<long, int> MidiParamMap::get_map() const
{
	std::lock_guard<std::mutex> lock(writer_mutex);
	const Table *t = current.load();
	std::map<long, int> m;
	for (int i = 0; i < t->get_count(); ++i)
		m.emplace(t->get_entry(i).ctrl, t->get_entry(i).param);
	return m;
}

void MidiParamMap::collect()
{
	std::lock_guard<std::mutex> lock(writer_mutex);
	collect_locked();
}

void MidiParamMap::collect_locked()
{
	for (Table *t = retired.exchange(nullptr); t != nullptr;)
	{
		Table *next = t->next_retired;
		unreachable_soon.push_back(t);
		t = next;
	}
	// Everything gathered so far was unpublished before this test: once
	// nobody is inside the gate, nobody holds it.
	if (!unreachable_soon.empty() && gate.is_idle())
	{
		for (Table *t : unreachable_soon)
			if (!put_spare(t))
				delete t;
		unreachable_soon.clear();
	}
	for (auto &s : spares)
	{
		if (s.load() != nullptr)
			continue;
		Table *t = new Table;
		Table *expected = nullptr;
		if (!s.compare_exchange_strong(expected, t))
			delete t;
	}
}

} // namespace plegg
