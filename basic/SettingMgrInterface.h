// Saves and loads setting files: every registered client adds its keys to
// one key tree written as configuration text, and reads them back from the
// tree read from such a text. Runs on the thread that handles the user's
// commands; the clients are called in registration order.
#pragma once

#include <deque>
#include <string>

namespace basic
{

class ConfKeyMulti;
class SettingClientInterface;

class SettingMgrInterface
{
public:
	// Status codes (besides 0 and the clients' own statuses).
	enum
	{
		ERR_WRITE = -1017,            // the file could not be written completely
		ERR_OPEN_WRITE = -1018,       // the file cannot be opened for writing
		ERR_READ = -1019,             // a read error while reading the file
		ERR_OPEN_READ = -1020,        // the file cannot be opened for reading
		ERR_NOT_SECTION = -1016,      // the top key is not a section
		ERR_PARSE_OFFSET = -1024,     // added to the reader's status when no key results
		ERR_STILL_REGISTERED = -1021, // unregistering: still registered after one removal
		ERR_NOT_REGISTERED = -1022,   // unregistering: was not registered
		ERR_ALREADY_REGISTERED = -1023, // registering: was already registered
		// The key tree or a client threw while saving or loading: a key name
		// holding '/' or '\' in a hand-edited file, a key of the wrong kind
		// where a client expects another, or memory exhaustion.
		ERR_EXCEPTION = -3070,
		ERR_OTHER_PLUGIN = -3071      // the root section is another plug-in's
	};

	virtual ~SettingMgrInterface() = default;

	// Appends the client; -1023 if it was there already (it is appended all
	// the same and then asked twice).
	int register_client(SettingClientInterface &client);
	// Removes the first registration; -1022 if none, -1021 if another
	// registration remains.
	int unregister_client(SettingClientInterface &client);
	int unregister_all_clients();
	// Index of the first registration, or -1.
	long get_client_pos(SettingClientInterface &client) const;

	// The file is written only when the hooks and every client succeeded, so
	// a failed save leaves an existing file untouched. Never throws.
	int save_settings(const std::string &path);
	// Never throws: exceptions of the tree and of clients give -3070.
	int load_settings(const std::string &path);
	// load_settings once the file's text is read (load_file's format: every
	// line ends with a line feed).
	int load_settings_from_text(const std::string &text, const std::string &path);

	// Replaces the file with the text: -1018 when it cannot be opened,
	// -1017 when writing, flushing or closing fails (a full disk).
	int save_file(const std::string &text, const std::string &path);
	// Reads the file line by line, each line followed by a line feed:
	// -1020 when it cannot be opened, -1019 on a read error.
	int load_file(std::string &text, const std::string &path);

protected:
	// Hooks around loading and saving. A hook may set the status to a
	// non-zero value to fail the operation. The post-hooks run whatever the
	// status.
	virtual void do_load_settings_pre(const ConfKeyMulti &root, const std::string &path, int &status);
	virtual void do_load_settings_post(const ConfKeyMulti &root, const std::string &path, int &status);
	virtual void do_save_settings_pre(ConfKeyMulti &root, const std::string &path, int &status);
	virtual void do_save_settings_post(ConfKeyMulti &root, const std::string &path, int &status);

private:
	int build_settings_text(std::string &text, const std::string &path);
	int load_clients(ConfKeyMulti &root, const std::string &path);

	std::deque<SettingClientInterface *> _clients;
};

} // namespace basic
