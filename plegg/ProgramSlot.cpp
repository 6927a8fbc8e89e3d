#include "plegg/ProgramSlot.h"

#include <cstring>

#include "basic/BigEndian.h"

namespace plegg
{

ProgramSlot &ProgramSlot::operator=(const ProgramSlot &other)
{
	if (this != &other)
	{
		parameters.resize(other.parameters.size());
		for (std::size_t i = 0; i < parameters.size(); ++i)
			parameters[i] = other.parameters[i];
		extra_bytes = other.extra_bytes;
		name = other.name;
		flags = other.flags;
	}
	return *this;
}

void ProgramSlot::set_nbr_param(int n)
{
	parameters.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
}

void ProgramSlot::set_extra_byte_size(long n)
{
	extra_bytes.resize(n < 0 ? 0 : static_cast<std::size_t>(n), 0);
}

bool ProgramSlot::has_same_structure(const ProgramSlot &other) const
{
	return parameters.size() == other.parameters.size() && extra_bytes.size() == other.extra_bytes.size();
}

long ProgramSlot::get_object_size() const
{
	return HEADER_LEN + NAME_FIELD_LEN + 4 * static_cast<long>(parameters.size()) + static_cast<long>(extra_bytes.size());
}

int ProgramSlot::write_to_memory(unsigned char *data) const
{
	basic::write_be32(data, static_cast<std::uint32_t>(flags));
	basic::write_be16(data + 4, NAME_FIELD_LEN);
	basic::write_be16(data + 6, static_cast<std::uint16_t>(parameters.size()));
	basic::write_be32(data + 8, static_cast<std::uint32_t>(extra_bytes.size()));
	// Copy up to and including the terminator, at most 64 bytes; byte 63 is
	// always zero. Bytes after the terminator keep what the buffer held.
	unsigned char *field = data + HEADER_LEN;
	const std::size_t len = name.size() + 1 < NAME_FIELD_LEN ? name.size() + 1 : NAME_FIELD_LEN;
	std::memcpy(field, name.c_str(), len);
	field[NAME_FIELD_LEN - 1] = 0;
	unsigned char *p = data + HEADER_LEN + NAME_FIELD_LEN;
	for (const Value &v : parameters)
	{
		basic::write_be_float(p, v.get());
		p += 4;
	}
	if (!extra_bytes.empty())
		std::memcpy(p, extra_bytes.data(), extra_bytes.size());
	return 0;
}

int ProgramSlot::read_from_memory(const unsigned char *data, long len)
{
	if (data == nullptr || len < HEADER_LEN)
		return -1;
	const std::int16_t name_len = static_cast<std::int16_t>(basic::read_be16(data + 4));
	const std::int16_t nbr_param = static_cast<std::int16_t>(basic::read_be16(data + 6));
	const std::uint32_t nbr_extra = basic::read_be32(data + 8);
	if (name_len < 1 || nbr_param < 0)
		return -1;
	const long long param_pos = HEADER_LEN + static_cast<long long>(name_len);
	const long long extra_pos = param_pos + 4LL * nbr_param;
	const long long end = extra_pos + nbr_extra;
	if (end > len)
		return -1;
	// The name ends at the first zero of its field, or at the field's end.
	const unsigned char *field = data + HEADER_LEN;
	std::size_t n = 0;
	while (n < static_cast<std::size_t>(name_len) && field[n] != 0)
		++n;

	flags = static_cast<int>(basic::read_be32(data));
	name.assign(reinterpret_cast<const char *>(field), n);
	set_nbr_param(nbr_param);
	for (int i = 0; i < nbr_param; ++i)
		parameters[i].set(basic::read_be_float(data + param_pos + 4 * i));
	extra_bytes.assign(data + extra_pos, data + end);
	return 0;
}

} // namespace plegg
