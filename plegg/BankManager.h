// An ordered list of programs with a byte-exact big-endian image.
#pragma once

#include <vector>

#include "basic/SerializableInterface.h"
#include "plegg/ProgramSlot.h"

namespace plegg
{

class BankManager : public basic::SerializableInterface
{
public:
	BankManager() : BankManager(1) {}
	explicit BankManager(int nbr_prog) { set_nbr_prog(nbr_prog); }

	int get_nbr_prog() const { return static_cast<int>(slots.size()); }
	void set_nbr_prog(int n);
	ProgramSlot &operator[](int index) { return slots[index]; }
	const ProgramSlot &operator[](int index) const { return slots[index]; }
	void store(int index, const ProgramSlot &slot) { slots[index] = slot; }
	void load(int index, ProgramSlot &slot) const { slot = slots[index]; }

	// Same program count and every program of the same structure.
	bool has_same_structure(const BankManager &other) const;

	// Refuses (non-zero, bank unchanged) an image that does not fit len bytes,
	// whose programs do not, or whose programs differ in structure.
	int read_from_memory(const unsigned char *data, long len) override;
	// Refuses (-1) a bank whose programs differ in image size.
	int write_to_memory(unsigned char *data) const override;
	long get_object_size() const override;

private:
	std::vector<ProgramSlot> slots;
};

} // namespace plegg
