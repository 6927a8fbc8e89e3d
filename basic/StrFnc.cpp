#include "basic/StrFnc.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "basic/CLocale.h"

namespace basic
{

void strncpy_0(char *dst, const char *src, long n)
{
	if (n <= 0 || dst == nullptr)
		return;
	long i = 0;
	if (src != nullptr)
	{
		for (; i < n - 1 && src[i] != '\0'; ++i)
			dst[i] = src[i];
	}
	// Only the text and its terminator are written: hosts pass buffers
	// shorter than the limit (8 or 24 bytes) for short texts.
	dst[i] = '\0';
}

namespace
{

bool same_char(char a, char b)
{
	return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Matches name against one pattern; "*" runs count as one, "?" after a "*"
// requires that many characters, a trailing "*" takes the rest, and a name
// used up against ".*..." matches (a name without a dot matches "*.*").
bool match_one(const char *name, const char *pat)
{
	while (*pat != '\0')
	{
		if (*pat == '*')
		{
			int min_chars = 0;
			while (*pat == '*' || *pat == '?')
			{
				if (*pat == '?')
					++min_chars;
				++pat;
			}
			for (int i = 0; i < min_chars; ++i)
			{
				if (*name == '\0')
					return false;
				++name;
			}
			if (*pat == '\0')
				return true;
			// Try every position for the rest of the pattern.
			for (const char *p = name; *p != '\0'; ++p)
				if (match_one(p, pat))
					return true;
			return match_one(name + std::strlen(name), pat);
		}
		if (*name == '\0')
		{
			if (*pat == '.')
			{
				const char *p = pat + 1;
				while (*p == '*')
					++p;
				return *p == '\0';
			}
			return false;
		}
		if (*pat != '?' && !same_char(*pat, *name))
			return false;
		++pat;
		++name;
	}
	return *name == '\0';
}

} // namespace

bool test_filename(const std::string &name, const std::string &patterns)
{
	std::size_t start = 0;
	while (true)
	{
		const std::size_t comma = patterns.find(',', start);
		const std::string piece = patterns.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
		if (match_one(name.c_str(), piece.c_str()))
			return true;
		if (comma == std::string::npos)
			return false;
		start = comma + 1;
	}
}

void decode_compile_date(long &year, long &month, long &day, const char *text)
{
	static const char *const months[12] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
	month = -1;
	day = 0;
	year = 0;
	if (text == nullptr || std::strlen(text) < 3)
		return;
	for (int m = 0; m < 12; ++m)
	{
		if (same_char(text[0], months[m][0]) && same_char(text[1], months[m][1]) && same_char(text[2], months[m][2]))
		{
			month = m;
			break;
		}
	}
	if (std::strlen(text) < 5)
		return;
	char *end = nullptr;
	day = std::strtol(text + 4, &end, 10) - 1;
	year = std::strtol(end, nullptr, 10);
}

void print_float(char *buffer, double value, int width)
{
	char work[20] = "";
	if (width >= static_cast<int>(sizeof(work)))
		width = sizeof(work) - 1;
	if (width < 0)
		width = 0;
	const double p = std::pow(10.0, width);
	if (value >= p * 0.01 - 0.5 || value <= 0.5 - p * 0.001)
		c_snprintf(work, sizeof(work), "%.0f", std::floor(value + 0.5)); // the whole number, any size
	else
		c_snprintf(work, sizeof(work), "%lf", value);
	strncpy_0(buffer, work, width + 1);
}

} // namespace basic
