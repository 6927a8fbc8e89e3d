#include "basic/ConfKeyContentString.h"

namespace basic
{

void ConfKeyContentString::do_write_to_string(std::string &out, Context &ctx) const
{
	write_string_to_string(out, ctx, _text);
}

ConfKeyContentInterface *ConfKeyContentString::do_clone() const
{
	return new ConfKeyContentString(*this);
}

} // namespace basic
