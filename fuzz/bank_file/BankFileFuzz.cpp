// The bank-file loader on arbitrary file contents, from memory and from a
// file, strict and not: statuses only, never a read outside the bytes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "plegg/YurkFileOp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	plegg::BankManager mem(8);
	for (int i = 0; i < 8; ++i)
		mem[i].set_nbr_param(8);
	const int st_mem = plegg::YurkFileOp::load_bank_mem(data, static_cast<long>(size), mem, (size & 1) != 0);
	if (st_mem != 0 && mem.get_nbr_prog() != 8)
		__builtin_trap();

	static const std::string path = "/tmp/brastoke-fuzz-bank-" + std::to_string(getpid()) + ".pbk";
	if (FILE *f = std::fopen(path.c_str(), "wb"))
	{
		std::fwrite(data, 1, size, f);
		std::fclose(f);
		plegg::BankManager file(8);
		for (int i = 0; i < 8; ++i)
			file[i].set_nbr_param(8);
		const int st = plegg::YurkFileOp::load_bank(path.c_str(), file, true);
		if (st != 0 && file.get_nbr_prog() != 8)
			__builtin_trap();
	}
	return 0;
}
