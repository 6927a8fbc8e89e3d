// A program: a name, normalized parameter values, opaque extra bytes and a
// flags word; a value type with a byte-exact big-endian image.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "basic/SerializableInterface.h"

namespace plegg
{

class ProgramSlot : public basic::SerializableInterface
{
public:
	static constexpr int NAME_FIELD_LEN = 64;
	static constexpr int HEADER_LEN = 12;

	ProgramSlot() = default;
	ProgramSlot(const ProgramSlot &other) = default;
	// Deep copy. When both slots have the same structure, values are copied
	// element by element into the existing storage (no reallocation), which is
	// what lets the audio thread keep writing values of a slot being replaced.
	ProgramSlot &operator=(const ProgramSlot &other);

	int get_nbr_param() const { return static_cast<int>(parameters.size()); }
	void set_nbr_param(int n);
	float get_parameter(int index) const { return parameters[index].get(); }
	void set_parameter(int index, float val) { parameters[index].set(val); }

	long get_extra_byte_size() const { return static_cast<long>(extra_bytes.size()); }
	void set_extra_byte_size(long n);
	unsigned char get_extra_byte(long index) const { return extra_bytes[index]; }
	void set_extra_byte(long index, unsigned char b) { extra_bytes[index] = b; }
	unsigned char *use_extra_byte_buf() { return extra_bytes.data(); }
	const unsigned char *use_extra_byte_buf() const { return extra_bytes.data(); }

	std::string get_name() const { return name; }
	void set_name(const std::string &n) { name = n; }
	long get_flags() const { return flags; }
	void set_flags(long f) { flags = static_cast<int>(f); }

	// Same parameter count and extra-byte count.
	bool has_same_structure(const ProgramSlot &other) const;

	int read_from_memory(const unsigned char *data, long len) override;
	int write_to_memory(unsigned char *data) const override;
	long get_object_size() const override;

private:
	// A float that host automation may write on the audio thread while
	// another thread reads the slot (chunks, program copies).
	class Value
	{
	public:
		Value() = default;
		Value(const Value &other) : v(other.get()) {}
		Value &operator=(const Value &other)
		{
			set(other.get());
			return *this;
		}
		float get() const { return v.load(std::memory_order_relaxed); }
		void set(float f) { v.store(f, std::memory_order_relaxed); }

	private:
		std::atomic<float> v{0.0f};
	};

	std::vector<Value> parameters;
	std::vector<unsigned char> extra_bytes;
	std::string name = "Default";
	int flags = 0;
};

} // namespace plegg
