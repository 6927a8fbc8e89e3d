// A tiny per-user store of named texts that survives from one run to the
// next: the file "PersistentKeys" in a folder named after the list inside
// the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config; a list
// name holding '\' names nested folders). Every instance and every process
// of the user shares it safely; each get_key and set_key goes to the file.
#pragma once

#include <memory>
#include <string>

namespace sys
{

class PersistentKeyListImpl;

// The store's file name.
extern const char gen_file_name[];

class PersistentKeyList
{
public:
	// With create, the folders and the file are made when missing; without
	// it, the file must exist. Throws the constant C string
	// "sys::PersistentKeyList::PersistentKeyList () : Can't open file." when
	// the configuration folder cannot be found or the folder or file cannot
	// be made or opened.
	PersistentKeyList(const std::string &list_name, bool create);
	~PersistentKeyList();
	PersistentKeyList(const PersistentKeyList &) = delete;
	PersistentKeyList &operator=(const PersistentKeyList &) = delete;

	// 0 and the stored text, or -1 when the store or the key does not exist
	// (value is then untouched).
	int get_key(const std::string &key, std::string &value) const;
	// 0, or -1 on failure (the store is then as it was). The empty key is
	// refused. Waits for other writers at most max_wait_ms (-1: no limit), so
	// a writer stuck elsewhere cannot hang a caller such as the entry point.
	int set_key(const std::string &key, const std::string &value, int max_wait_ms = -1);

	// The folder holding the store.
	const std::string &get_folder() const;

private:
	std::unique_ptr<PersistentKeyListImpl> _impl;
};

} // namespace sys
