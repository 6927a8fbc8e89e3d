// A text value.
#pragma once

#include "basic/ConfKeyContentInterface.h"

#include <string>

namespace basic
{

class ConfKeyContentString : public ConfKeyContentInterface
{
public:
	ConfKeyContentString() = default;
	explicit ConfKeyContentString(const std::string &text) : _text(text) {}
	ConfKeyContentString(const ConfKeyContentString &) = default;
	ConfKeyContentString &operator=(const ConfKeyContentString &) = default;
	~ConfKeyContentString() override = default;

	const std::string &get_text() const { return _text; }
	void set_text(const std::string &text) { _text = text; }

protected:
	void do_write_to_string(std::string &out, Context &ctx) const override;
	ConfKeyContentInterface *do_clone() const override;

private:
	std::string _text;
};

} // namespace basic
