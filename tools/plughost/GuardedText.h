// Reads a text the plug-in writes into a host buffer, with the buffer filled
// with a pattern and followed by a guard zone: shows where the text ends,
// how far the plug-in wrote, and whether it wrote past the buffer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace plughost
{

struct GuardedText
{
	std::string text;       // up to the terminator (or the whole buffer)
	bool terminated = false; // a terminator within the buffer
	std::size_t extent = 0;  // bytes from the start up to the last byte written
	bool guard_ok = true;    // nothing written after the buffer

	// The plug-in wrote something at all.
	bool written() const { return extent > 0; }
};

constexpr std::size_t kTextBufferSize = 256;

// Calls fill(buffer) with a buffer of size bytes and inspects it afterwards.
GuardedText read_guarded(const std::function<void(char *)> &fill, std::size_t size = kTextBufferSize);

// Quotes a text for printing: printable ASCII as is, the rest as \xNN.
std::string quote_text(const std::string &text);

} // namespace plughost
