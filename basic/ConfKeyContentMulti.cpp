#include "basic/ConfKeyContentMulti.h"

namespace basic
{

ConfKeyContentMulti::ConfKeyContentMulti(const ConfKeyContentMulti &other)
:	ConfKeyContentInterface(other)
{
	for (const auto &c : other._contents)
	{
		_contents.emplace_back(c->clone());
	}
}

ConfKeyContentMulti &ConfKeyContentMulti::operator=(const ConfKeyContentMulti &other)
{
	if (this != &other)
	{
		// Clone first: other may be one of our own items.
		ConfKeyContentMulti copy(other);
		_contents.swap(copy._contents);
	}
	return *this;
}

void ConfKeyContentMulti::set_content(long index, const ConfKeyContentInterface &content)
{
	_contents[static_cast<size_t>(index)].reset(content.clone());
}

void ConfKeyContentMulti::push_back(const ConfKeyContentInterface &content)
{
	_contents.emplace_back(content.clone());
}

void ConfKeyContentMulti::push_back_owned(std::unique_ptr<ConfKeyContentInterface> content)
{
	_contents.push_back(std::move(content));
}

void ConfKeyContentMulti::remove(long index)
{
	_contents.erase(_contents.begin() + index);
}

void ConfKeyContentMulti::do_write_to_string(std::string &out, Context &ctx) const
{
	out += "{ ";
	for (const auto &c : _contents)
	{
		c->write_to_string(out, ctx);
		out += ' ';
	}
	out += '}';
}

ConfKeyContentInterface *ConfKeyContentMulti::do_clone() const
{
	return new ConfKeyContentMulti(*this);
}

} // namespace basic
