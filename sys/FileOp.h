// File-name handling: both "/" and "\" separate path components.
#pragma once

#include <string>

namespace sys
{

class FileOp
{
public:
	static const char *const FILE_DELIMITER;     // "/"
	static const char *const FILE_DELIMITER_ALT; // "\"

	// The last component; empty for an empty path or one ending in a delimiter.
	static std::string extract_filename(const std::string &path);
	// The whole path without a trailing delimiter.
	static std::string extract_pathname(const std::string &path);
	// True when an entry of that name exists (links followed).
	static bool is_existing(const std::string &path);
};

} // namespace sys
