// Header of bank files and bank resources: "YURK" and the big-endian length
// of the bank image that follows.
#pragma once

namespace plegg
{

struct YurkFileHeader
{
	static const char *const FILE_EXT; // "pbk"
	static constexpr long SIZE = 8;

	char magic[4];
	unsigned char length[4];
};

static_assert(sizeof(YurkFileHeader) == YurkFileHeader::SIZE);

} // namespace plegg
