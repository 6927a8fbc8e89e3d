#include "basic/CLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace basic
{

namespace
{

// One "C" locale object for the process, created on first use; newlocale is
// thread-safe and the result is never freed (it must outlive every caller).
locale_t c_locale()
{
	static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
	return loc;
}

// Switches the calling thread to the "C" locale for the scope.
class ScopedCLocale
{
public:
	ScopedCLocale() : _old(uselocale(c_locale())) {}
	~ScopedCLocale() { uselocale(_old); }
	ScopedCLocale(const ScopedCLocale &) = delete;
	ScopedCLocale &operator=(const ScopedCLocale &) = delete;

private:
	locale_t _old;
};

} // namespace

int c_vsnprintf(char *buf, unsigned long size, const char *fmt, va_list ap)
{
	ScopedCLocale loc;
	return std::vsnprintf(buf, size, fmt, ap);
}

int c_snprintf(char *buf, unsigned long size, const char *fmt, ...)
{
	va_list ap;
	va_start(ap, fmt);
	const int r = c_vsnprintf(buf, size, fmt, ap);
	va_end(ap);
	return r;
}

int c_sscanf(const char *text, const char *fmt, ...)
{
	ScopedCLocale loc;
	va_list ap;
	va_start(ap, fmt);
	const int r = std::vsscanf(text, fmt, ap);
	va_end(ap);
	return r;
}

double c_strtod(const char *text, char **end)
{
	return strtod_l(text, end, c_locale());
}

std::string c_format(const char *fmt, ...)
{
	char small[256];
	va_list ap;
	va_start(ap, fmt);
	va_list ap2;
	va_copy(ap2, ap);
	const int n = c_vsnprintf(small, sizeof(small), fmt, ap);
	va_end(ap);
	std::string result;
	if (n < 0)
		result.clear();
	else if (n < static_cast<int>(sizeof(small)))
		result.assign(small, n);
	else
	{
		std::vector<char> big(n + 1);
		c_vsnprintf(big.data(), big.size(), fmt, ap2);
		result.assign(big.data(), n);
	}
	va_end(ap2);
	return result;
}

} // namespace basic
