#include "basic/ConfKeyInterface.h"

#include <ostream>

namespace basic
{

const char ConfKeyInterface::_keypath_delimiter_list[] = "/\\";

ConfKeyInterface::ConfKeyInterface(const std::string &name)
:	_name(name)
{
	check_name_throw();
}

void ConfKeyInterface::set_name(const std::string &name)
{
	_name = name;
	check_name_throw();
}

void ConfKeyInterface::set_comment(const std::string &comment)
{
	_comment = comment;
	for (char &c : _comment)
	{
		if (c == '\n')
		{
			c = ' ';
		}
	}
}

bool ConfKeyInterface::check_name(const std::string &name)
{
	return name.find_first_of(_keypath_delimiter_list) == std::string::npos;
}

void ConfKeyInterface::check_name_throw() const
{
	if (!check_name(_name))
	{
		throw "ConfKeyInterface::check_name_throw : Invalid name.";
	}
}

std::string ConfKeyInterface::mangle_name(const std::string &name)
{
	// Explicit ASCII ranges: isalnum() would accept accented letters under
	// some locales.
	std::string result(name);
	for (char &c : result)
	{
		const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
		if (!alnum)
		{
			c = '_';
		}
	}
	return result;
}

void ConfKeyInterface::do_write_to_string(std::string &out, Context &ctx) const
{
	if (_name.empty())
	{
		throw "ConfKeyInterface::do_write_to_string : Key can't be anonymous.";
	}
	do_cki_write_to_string(out, ctx);
}

std::ostream &operator<<(std::ostream &os, const ConfKeyInterface &key)
{
	std::string text;
	key.write_to_string(text);
	return os << text;
}

} // namespace basic
