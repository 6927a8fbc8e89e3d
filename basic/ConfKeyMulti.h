// A section: an ordered list of child keys, addressed by index or by key
// path ("midi/control_map", '/' and '\' both separate). Names need not be
// unique; look-ups by name find the first. The section owns clones of the
// keys it is given.
#pragma once

#include "basic/ConfKeyInterface.h"

#include <deque>
#include <memory>
#include <string>

namespace basic
{

class ConfKeyMulti : public ConfKeyInterface
{
public:
	ConfKeyMulti() = default;
	explicit ConfKeyMulti(const std::string &name);
	ConfKeyMulti(const ConfKeyMulti &other);
	ConfKeyMulti &operator=(const ConfKeyMulti &other);
	~ConfKeyMulti() override = default;

	long get_nbr_keys() const { return static_cast<long>(_keys.size()); }

	// The index is the caller's limit.
	ConfKeyInterface &use_key(long index) { return *_keys[static_cast<size_t>(index)]; }
	const ConfKeyInterface &use_key(long index) const { return *_keys[static_cast<size_t>(index)]; }
	ConfKeyInterface &operator[](long index) { return use_key(index); }
	const ConfKeyInterface &operator[](long index) const { return use_key(index); }

	void set_key(long index, const ConfKeyInterface &key);
	void push_back(const ConfKeyInterface &key);
	// Takes ownership of a key already on the heap (used by the reader).
	void push_back_owned(std::unique_ptr<ConfKeyInterface> key);
	// Replaces the first child of the key's name, or appends.
	void add_unique(const ConfKeyInterface &key);
	void remove(long index);
	void clear() { _keys.clear(); }

	// Index of the first child at or after start with that name, or -1.
	long find_index(const std::string &name, long start) const;
	long find_index_multi(const std::string &name, long start) const;
	long find_index_data(const std::string &name, long start) const;
	long find_index_throw(const std::string &name) const;

	// Paths: an empty component (empty path, leading or doubled separator)
	// throws; a trailing separator is accepted. Only the first child of a
	// name is followed.
	ConfKeyInterface *walk_key_tree(const std::string &path);
	const ConfKeyInterface *walk_key_tree(const std::string &path) const;
	bool is_key_existing(const std::string &path) const;
	ConfKeyInterface &use_key(const std::string &path);
	const ConfKeyInterface &use_key(const std::string &path) const;
	bool is_key_unique(const std::string &path) const;
	// The text of the data key at the path; empty when there is none.
	std::string get_key_str(const std::string &path) const;
	// Stores a text at the path, creating sections and replacing data keys
	// by sections on the way; the last component becomes a data key.
	void set_key_str(const std::string &path, const std::string &text);

	static void split_key_path_first(std::string &first, std::string &rest, const std::string &path);
	static void split_key_path_last(std::string &head, std::string &last, const std::string &path);

protected:
	ConfKeyInterface *do_clone() const override;
	void do_cki_write_to_string(std::string &out, Context &ctx) const override;

private:
	template <class T>
	long find_index_kind(const std::string &name, long start) const;

	std::deque<std::unique_ptr<ConfKeyInterface>> _keys;
};

} // namespace basic
