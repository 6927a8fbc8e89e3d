// An object that turns into a flat, byte-exact image and back.
#pragma once

namespace basic
{

class SerializableInterface
{
public:
	virtual ~SerializableInterface() = default;
	// Rebuilds the object from an image of len bytes. The length travels with
	// the image so that a truncated or inconsistent image is refused (non-zero)
	// without reading outside it; on refusal the object is unchanged.
	virtual int read_from_memory(const unsigned char *data, long len) = 0;
	// Writes the image into a buffer of at least get_object_size() bytes.
	virtual int write_to_memory(unsigned char *data) const = 0;
	virtual long get_object_size() const = 0;
};

} // namespace basic
