// Reads configuration text back into a key tree. One process-wide object;
// every call keeps its own reading state, so two threads may read at once.
#pragma once

#include "basic/ConfKeyInterface.h"

#include <atomic>
#include <string>

namespace basic
{

class ConfKeyFactory
{
public:
	// Status codes of create_key.
	enum
	{
		ERR_OK = 0,
		ERR_LEFT_OVER = -1015,     // lexemes after the top key, or no key at the start
		ERR_TEXT_MISSING = -1016,  // a text value missing at the end
		ERR_LIST = -1017,          // a list truncated or holding a non-value
		ERR_DATA = -1018,          // a data key without a readable value
		ERR_SECTION = -1019,       // a section truncated or holding a non-key
		ERR_LEXICAL = -1020,       // open quote at the end of a line, unbalanced braces
		ERR_UNKNOWN_KIND = -1024   // a node of unknown kind
	};

	// Nesting deeper than this is refused as a lexical error: it keeps the
	// recursive reader, writer and destructors within the stack.
	static constexpr int MAX_DEPTH = 256;

	static ConfKeyFactory &get_instance();

	// A new tree owned by the caller, or null. The result is the key read
	// before any error, also when the status is not 0. An empty text gives
	// null with status 0. Throws the invalid-name text of ConfKeyInterface
	// when a key name holds '/' or '\'.
	ConfKeyInterface *create_key(const std::string &text);
	// The same, with the status given to this caller only.
	ConfKeyInterface *create_key(const std::string &text, int &status);
	// Status of the last create_key call, from whatever thread.
	int get_last_error() const { return _last_error.load(); }

private:
	ConfKeyFactory() = default;
	ConfKeyFactory(const ConfKeyFactory &) = delete;
	ConfKeyFactory &operator=(const ConfKeyFactory &) = delete;

	std::atomic<int> _last_error{0};
};

} // namespace basic
