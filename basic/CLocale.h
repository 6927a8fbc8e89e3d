// Printing and scanning numbers in the "C" locale, whatever locale the host
// set: a German host must still read and write "1.31", never "1,31".
#pragma once

#include <cstdarg>
#include <string>

namespace basic
{

// snprintf in the "C" locale. Returns what snprintf returns.
int c_snprintf(char *buf, unsigned long size, const char *fmt, ...) __attribute__((format(printf, 3, 4)));
int c_vsnprintf(char *buf, unsigned long size, const char *fmt, va_list ap);

// sscanf in the "C" locale. Returns what sscanf returns.
int c_sscanf(const char *text, const char *fmt, ...) __attribute__((format(scanf, 2, 3)));

// strtod in the "C" locale.
double c_strtod(const char *text, char **end);

// std::string built with a printf format in the "C" locale.
std::string c_format(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

} // namespace basic
