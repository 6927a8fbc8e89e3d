#include "tools/plughost/Progress.h"

#include <unistd.h>

namespace plughost
{

Progress::Progress(std::FILE *stream, bool enabled)
: _stream(stream)
, _active(enabled && isatty(fileno(stream)) != 0)
{
}

Progress::~Progress()
{
	finish();
}

void Progress::update(long done, long total)
{
	if (!_active || total <= 0)
	{
		return;
	}
	const int permille = int(1000.0 * double(done) / double(total));
	if (permille == _last_permille)
	{
		return;
	}
	_last_permille = permille;
	constexpr int kWidth = 40;
	const int filled = permille * kWidth / 1000;
	char bar[kWidth + 1];
	for (int i = 0; i < kWidth; ++i)
	{
		bar[i] = i < filled ? '#' : '.';
	}
	bar[kWidth] = '\0';
	std::fprintf(_stream, "\r[%s] %3d%%", bar, permille / 10);
	std::fflush(_stream);
}

void Progress::finish()
{
	if (_active && _last_permille >= 0)
	{
		std::fputs("\r\033[K", _stream);
		std::fflush(_stream);
	}
	_active = false;
}

} // namespace plughost
