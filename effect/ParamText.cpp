#include "effect/ParamText.h"

#include <cctype>
#include <climits>
#include <cmath>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"

namespace
{

void copy_cut(char *buf, long max_len, const char *txt, int max_chars)
{
	char cut[16];
	basic::strncpy_0(cut, txt, max_chars + 1);
	basic::strncpy_0(buf, cut, max_len);
}

} // namespace

void ParamText::print_fixed5(char *buf, long max_len, double v)
{
	char txt[400]; // "%f" of the largest double is about 320 characters
	basic::c_snprintf(txt, sizeof(txt), "%f", v);
	copy_cut(buf, max_len, txt, 5);
}

void ParamText::print_rounded_int(char *buf, long max_len, double v, int max_chars)
{
	double r = std::floor(v + 0.5);
	if (!(r >= (double)INT_MIN)) // also NaN
		r = (double)INT_MIN;
	else if (r > (double)INT_MAX)
		r = (double)INT_MAX;
	char txt[16];
	basic::c_snprintf(txt, sizeof(txt), "%d", (int)r);
	copy_cut(buf, max_len, txt, max_chars);
}

double ParamText::scan_clamped(const char *text, bool &ok, double lo, double hi)
{
	if (text == nullptr)
		return lo;
	double v = 0.0;
	if (basic::c_sscanf(text, "%lf", &v) != 1 || !std::isfinite(v))
		return lo;
	ok = true;
	return v < lo ? lo : (v > hi ? hi : v);
}

bool ParamText::contains_no_case(const char *text, const char *needle)
{
	if (text == nullptr)
		return false;
	for (const char *start = text; *start != '\0'; ++start) {
		const char *t = start;
		const char *n = needle;
		while (*n != '\0' && *t != '\0'
		       && std::tolower((unsigned char)*t) == std::tolower((unsigned char)*n)) {
			++t;
			++n;
		}
		if (*n == '\0')
			return true;
	}
	return false;
}
