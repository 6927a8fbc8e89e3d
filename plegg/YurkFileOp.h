// Bank files and bank resources: "YURK", a big-endian length D, then the bank
// image. Every operation returns a status; a failed load leaves the bank as
// it was.
#pragma once

#include "plegg/BankManager.h"
#include "plegg/YurkFileHeader.h"

namespace plegg
{

class YurkFileOp
{
public:
	enum Status
	{
		OK = 0,
		ERR_NO_RESOURCE = -1,
		ERR_OPEN = -1002,
		ERR_WRITE_HEADER = -1004,
		ERR_READ_HEADER = -1005,
		ERR_WRITE_IMAGE_REFUSED = -1006,
		ERR_IMAGE = -1007,
		ERR_WRITE_IMAGE = -1008,
		ERR_READ_IMAGE = -1009,
		ERR_MAGIC = -1010,
		ERR_PROG_COUNT = -1011,
		ERR_PARAM_COUNT = -1012,
	};

	static int save_bank(const char *path, const BankManager &bank);
	static int load_bank(const char *path, BankManager &bank, bool strict);
	// A header-plus-image block already in memory, size bytes long.
	static int load_bank_mem(const void *data, long size, BankManager &bank, bool strict);
	// 0 or -1010; on success data points after the header and length is D.
	static int check_header(const YurkFileHeader *header, const unsigned char *&data, long &length);
	// Decodes an image of len bytes and, when acceptable, assigns it to bank.
	static int check_data(const unsigned char *image, long len, BankManager &bank, bool strict);

	// Write faults injected by tests: the next write of a file writes at most
	// this many bytes in all (-1 = no limit).
	static void set_write_limit_for_test(long nbr_bytes);
};

} // namespace plegg
