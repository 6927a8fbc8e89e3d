#include "basic/ConfKeyStreamInterface.h"

namespace basic
{

const char ConfKeyStreamInterface::_lexeme_delimiter_list[] = " \t\n,";

std::string ConfKeyStreamInterface::Context::get_indent_string() const
{
	if (_indent_level <= 0)
	{
		return std::string();
	}
	return std::string(static_cast<std::string::size_type>(_indent_level) * 3, ' ');
}

int ConfKeyStreamInterface::write_to_string(std::string &out) const
{
	Context ctx;
	return write_to_string(out, ctx);
}

int ConfKeyStreamInterface::write_to_string(std::string &out, Context &ctx) const
{
	do_write_to_string(out, ctx);
	return 0;
}

int ConfKeyStreamInterface::write_string_to_string(std::string &out, Context &ctx, const std::string &text) const
{
	(void)ctx;
	if (text.empty() || text.find_first_of(_lexeme_delimiter_list) != std::string::npos)
	{
		out += '"';
		out += text;
		out += '"';
	}
	else
	{
		out += text;
	}
	return 0;
}

} // namespace basic
