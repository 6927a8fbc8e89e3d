#include "sys/Debug.h"

#include <cstdio>

#include "basic/CLocale.h"

namespace sys
{

void print_debug_msg(const char *text)
{
	if (text != nullptr)
		std::fputs(text, stdout);
}

void print_system_error(char *buffer, long code)
{
	basic::c_snprintf(buffer, 64, "erreur beos numero %ld", code);
	print_debug_msg(buffer);
}

} // namespace sys
