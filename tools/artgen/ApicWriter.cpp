#include "tools/artgen/ApicWriter.h"

#include <cstdio>

namespace artgen
{

namespace
{

constexpr int HEADER_SIZE = 36;

void put_word(std::vector<std::uint8_t> &out, std::int32_t v)
{
	const auto u = static_cast<std::uint32_t>(v);
	for (int i = 0; i < 4; ++i)
		out.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

} // namespace

std::vector<std::uint8_t> ApicWriter::header(int kind, int bpp, int width, int height)
{
	std::vector<std::uint8_t> out;
	put_word(out, 1);             // marker
	put_word(out, HEADER_SIZE);
	put_word(out, kind);
	put_word(out, bpp);
	put_word(out, width);
	put_word(out, height);
	put_word(out, 0);             // no palette
	put_word(out, HEADER_SIZE);   // pixels follow the header
	put_word(out, 0);
	return out;
}

std::vector<std::uint8_t> ApicWriter::picture24(int width, int height, const std::vector<std::uint8_t> &bgra,
	bool opaque)
{
	std::vector<std::uint8_t> out = header(opaque ? Kind_OPAQUE : Kind_ALPHA, 24, width, height);
	out.insert(out.end(), bgra.begin(), bgra.end());
	if (opaque)
	{
		// The fourth byte of an opaque picture is copied into the buffer
		// as it is: make it 255 so the buffer reads as opaque everywhere.
		for (std::size_t i = HEADER_SIZE + 3; i < out.size(); i += 4)
			out[i] = 255;
	}
	return out;
}

std::vector<std::uint8_t> ApicWriter::unicolor_font(int width, int height, const std::vector<std::uint8_t> &coverage)
{
	std::vector<std::uint8_t> out = header(Kind_UNICOLOR, 0, width, height);
	out.insert(out.end(), coverage.begin(), coverage.end());
	return out;
}

bool ApicWriter::write_file(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
	std::FILE *f = std::fopen(path.c_str(), "wb");
	if (f == nullptr)
		return false;
	const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
	return (std::fclose(f) == 0) && ok;
}

} // namespace artgen
