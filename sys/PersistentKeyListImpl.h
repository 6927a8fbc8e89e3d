// The Linux store behind PersistentKeyList. The file is configuration text
// (one data key per stored key, readable and editable in a text editor):
//
//   PersistentKeys =
//   {
//      "Autobind Mode" = 0
//   }
//
// Bytes the text format cannot carry ('%', '"', '=', '{', '}', '/', '\' and
// control characters) are written as %XX. A store is never torn: it is
// written to a temporary file renamed over it. Writers serialize on an
// advisory lock held on a separate lock file (a lock on the store itself is
// lost at the rename) and re-read the store under it, so no writer loses
// another's keys. Content that does not read as a store reads as empty and
// is replaced at the next write.
#pragma once

#include <deque>
#include <string>
#include <utility>

namespace sys
{

class PersistentKeyListImpl
{
public:
	// Throws the constructor text of PersistentKeyList on failure.
	PersistentKeyListImpl(const std::string &list_name, bool create);

	int get_key(const std::string &key, std::string &value) const;
	int set_key(const std::string &key, const std::string &value, int max_wait_ms);
	const std::string &get_folder() const { return _folder; }

	using Records = std::deque<std::pair<std::string, std::string>>;

	// The user's configuration folder: $XDG_CONFIG_HOME when it is set to an
	// absolute path, else $HOME/.config; empty when neither is usable.
	static std::string find_settings_dir();
	// The store's text and back; parse gives false on garbage.
	static std::string format_records(const Records &records);
	static bool parse_records(Records &records, const std::string &text);
	static std::string encode(const std::string &text);
	static std::string decode(const std::string &text);

private:
	// The store's records: none when it does not exist or holds garbage
	// (the next write replaces it); false when it exists but cannot be
	// read, so that a write does not replace keys it never saw.
	bool read_records(Records &records) const;
	bool write_records(const Records &records) const;

	std::string _folder;
	std::string _store_path;
	std::string _lock_path;
};

} // namespace sys
