// A one-line progress bar on a terminal; silent when the stream is not one.
#pragma once

#include <cstdio>

namespace plughost
{

class Progress
{
public:
	// Draws on stream only when it is a terminal and enabled is true.
	Progress(std::FILE *stream, bool enabled);
	~Progress();
	void update(long done, long total);
	void finish();

private:
	std::FILE *_stream;
	bool _active;
	int _last_permille = -1;
};

} // namespace plughost
