// An ordered list of values; lists may nest. The list owns clones of the
// values it is given.
#pragma once

#include "basic/ConfKeyContentInterface.h"

#include <deque>
#include <memory>

namespace basic
{

class ConfKeyContentMulti : public ConfKeyContentInterface
{
public:
	ConfKeyContentMulti() = default;
	ConfKeyContentMulti(const ConfKeyContentMulti &other);
	ConfKeyContentMulti &operator=(const ConfKeyContentMulti &other);
	~ConfKeyContentMulti() override = default;

	long get_nbr_contents() const { return static_cast<long>(_contents.size()); }

	// The index is the caller's limit.
	ConfKeyContentInterface &use_content(long index) { return *_contents[static_cast<size_t>(index)]; }
	const ConfKeyContentInterface &use_content(long index) const { return *_contents[static_cast<size_t>(index)]; }
	ConfKeyContentInterface &operator[](long index) { return use_content(index); }
	const ConfKeyContentInterface &operator[](long index) const { return use_content(index); }

	void set_content(long index, const ConfKeyContentInterface &content);
	void push_back(const ConfKeyContentInterface &content);
	// Takes ownership of a value already on the heap (used by the reader).
	void push_back_owned(std::unique_ptr<ConfKeyContentInterface> content);
	void remove(long index);
	void clear() { _contents.clear(); }

protected:
	void do_write_to_string(std::string &out, Context &ctx) const override;
	ConfKeyContentInterface *do_clone() const override;

private:
	std::deque<std::unique_ptr<ConfKeyContentInterface>> _contents;
};

} // namespace basic
