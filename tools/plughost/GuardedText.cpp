#include "tools/plughost/GuardedText.h"

#include "basic/CLocale.h"

#include <algorithm>
#include <vector>

namespace plughost
{

namespace
{

constexpr unsigned char kFill = 0xA5;
constexpr std::size_t kGuard = 256;

} // namespace

GuardedText read_guarded(const std::function<void(char *)> &fill, std::size_t size)
{
	std::vector<unsigned char> buf(size + kGuard, kFill);
	fill(reinterpret_cast<char *>(buf.data()));
	GuardedText r;
	std::size_t len = 0;
	while (len < size && buf[len] != 0)
	{
		++len;
	}
	r.terminated = len < size;
	for (std::size_t i = size; i > 0; --i)
	{
		if (buf[i - 1] != kFill)
		{
			r.extent = i;
			break;
		}
	}
	for (std::size_t i = size; i < size + kGuard; ++i)
	{
		if (buf[i] != kFill)
		{
			r.guard_ok = false;
			r.extent = i + 1;
		}
	}
	// An unterminated text is shown as far as the plug-in wrote it.
	r.text.assign(reinterpret_cast<const char *>(buf.data()), r.terminated ? len : std::min(r.extent, size));
	return r;
}

std::string quote_text(const std::string &text)
{
	std::string out = "\"";
	for (unsigned char c : text)
	{
		if (c == '"' || c == '\\')
		{
			out += '\\';
			out += char(c);
		}
		else if (c >= 0x20 && c < 0x7F)
		{
			out += char(c);
		}
		else if (c >= 0x80)
		{
			out += char(c); // UTF-8 passes through
		}
		else
		{
			char tmp[8];
			basic::c_snprintf(tmp, sizeof(tmp), "\\x%02X", c);
			out += tmp;
		}
	}
	out += '"';
	return out;
}

} // namespace plughost
