// A value of a data key: a text or a list of values.
#pragma once

#include "basic/ConfKeyStreamInterface.h"

namespace basic
{

class ConfKeyContentInterface : public ConfKeyStreamInterface
{
public:
	~ConfKeyContentInterface() override = default;

	// A new heap copy of the most derived value, owned by the caller.
	ConfKeyContentInterface *clone() const { return do_clone(); }

protected:
	ConfKeyContentInterface() = default;
	ConfKeyContentInterface(const ConfKeyContentInterface &) = default;
	ConfKeyContentInterface &operator=(const ConfKeyContentInterface &) = default;

	void do_write_to_string(std::string &out, Context &ctx) const override = 0;
	virtual ConfKeyContentInterface *do_clone() const = 0;
};

} // namespace basic
