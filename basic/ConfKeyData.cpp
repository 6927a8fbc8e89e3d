#include "basic/ConfKeyData.h"

#include "basic/ConfKeyContentString.h"

namespace basic
{

ConfKeyData::ConfKeyData()
:	_content(std::make_unique<ConfKeyContentString>())
{
}

ConfKeyData::ConfKeyData(const std::string &name)
:	ConfKeyInterface(name)
,	_content(std::make_unique<ConfKeyContentString>())
{
}

ConfKeyData::ConfKeyData(const std::string &name, const std::string &text)
:	ConfKeyInterface(name)
,	_content(std::make_unique<ConfKeyContentString>(text))
{
}

ConfKeyData::ConfKeyData(const std::string &name, const ConfKeyContentInterface &content)
:	ConfKeyInterface(name)
,	_content(content.clone())
{
}

ConfKeyData::ConfKeyData(const ConfKeyData &other)
:	ConfKeyInterface(other)
,	_content(other._content->clone())
{
}

ConfKeyData &ConfKeyData::operator=(const ConfKeyData &other)
{
	if (this != &other)
	{
		std::unique_ptr<ConfKeyContentInterface> content(other._content->clone());
		ConfKeyInterface::operator=(other);
		_content = std::move(content);
	}
	return *this;
}

void ConfKeyData::set_content(const ConfKeyContentInterface &content)
{
	_content.reset(content.clone());
}

void ConfKeyData::set_content_owned(std::unique_ptr<ConfKeyContentInterface> content)
{
	if (content)
	{
		_content = std::move(content);
	}
}

ConfKeyInterface *ConfKeyData::do_clone() const
{
	return new ConfKeyData(*this);
}

void ConfKeyData::do_cki_write_to_string(std::string &out, Context &ctx) const
{
	out += ctx.get_indent_string();
	write_string_to_string(out, ctx, get_name());
	out += " = ";
	_content->write_to_string(out, ctx);
	if (!get_comment().empty())
	{
		out += "\t// ";
		out += get_comment();
	}
}

} // namespace basic
