// Debug output, to standard output.
#pragma once

namespace sys
{

// Writes the text unchanged (no newline added).
void print_debug_msg(const char *text);
// Formats a system error code into buffer (at least 64 bytes) and prints it.
void print_system_error(char *buffer, long code);

} // namespace sys
