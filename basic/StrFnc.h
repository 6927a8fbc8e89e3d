// Bounded string copies and the small text helpers shared by every subsystem.
#pragma once

#include <string>

namespace basic
{

// Copies at most n - 1 characters of src and always terminates the copy; bytes
// of dst after the copied text's terminator are never touched. Does nothing
// when n <= 0.
void strncpy_0(char *dst, const char *src, long n);

// Case-insensitive wildcard match of a file name against comma-separated
// patterns ("*.pbk,*.txt").
bool test_filename(const std::string &name, const std::string &patterns);

// Parses "Aug 21 2002": zero-based month (-1 when unknown), day minus one, year.
void decode_compile_date(long &year, long &month, long &day, const char *text);

// Prints value into buffer within width characters (see the implementation).
void print_float(char *buffer, double value, int width);

} // namespace basic
