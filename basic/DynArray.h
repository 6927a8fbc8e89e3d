// Heap array sized once (or resized explicitly, never behind the user's back).
#pragma once

#include <cassert>
#include <cstddef>
#include <memory>

namespace basic
{

template <class T>
class DynArray
{
public:
	DynArray() = default;
	explicit DynArray(long size) { resize(size); }
	DynArray(const DynArray &other) { *this = other; }
	DynArray &operator=(const DynArray &other)
	{
		if (this != &other)
		{
			resize(other._size);
			for (long i = 0; i < _size; ++i)
				_data[i] = other._data[i];
		}
		return *this;
	}
	DynArray(DynArray &&) noexcept = default;
	DynArray &operator=(DynArray &&) noexcept = default;

	void resize(long size)
	{
		if (size < 0)
			size = 0;
		std::unique_ptr<T[]> data(size > 0 ? new T[size]() : nullptr);
		const long keep = size < _size ? size : _size;
		for (long i = 0; i < keep; ++i)
			data[i] = std::move(_data[i]);
		_data = std::move(data);
		_size = size;
	}
	long size() const { return _size; }
	T &operator[](long i) { assert(i >= 0 && i < _size); return _data[i]; }
	const T &operator[](long i) const { assert(i >= 0 && i < _size); return _data[i]; }
	T *data() { return _data.get(); }
	const T *data() const { return _data.get(); }

private:
	std::unique_ptr<T[]> _data;
	long _size = 0;
};

} // namespace basic
