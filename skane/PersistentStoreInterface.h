// Per-user key store that the toolkit's preferences are kept in (the
// persistent key list). The plug-in installs an adapter to its store; the
// toolkit does not depend on how it is kept.
#pragma once

#include <string>

namespace skane
{

class PersistentStoreInterface
{
public:
	virtual ~PersistentStoreInterface() = default;

	// The value of key under the key path; false when there is none.
	virtual bool read_value(const std::string &path, const std::string &key, std::string &value) = 0;
	// Stores the value; false when it could not be written.
	virtual bool write_value(const std::string &path, const std::string &key, const std::string &value) = 0;
};

} // namespace skane
