#include "basic/ConfKeyCompare.h"

#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"

#include <string>

namespace basic
{

namespace
{

bool text_representable(const std::string &text)
{
	return text.find_first_of("\"={}\n\b\v") == std::string::npos && text.find("//") == std::string::npos;
}

bool content_representable(const ConfKeyContentInterface &content)
{
	if (const auto *s = dynamic_cast<const ConfKeyContentString *>(&content))
	{
		return text_representable(s->get_text());
	}
	if (const auto *m = dynamic_cast<const ConfKeyContentMulti *>(&content))
	{
		for (long i = 0; i < m->get_nbr_contents(); ++i)
		{
			if (!content_representable(m->use_content(i)))
			{
				return false;
			}
		}
		return true;
	}
	return false;
}

} // namespace

bool conf_content_equal(const ConfKeyContentInterface &a, const ConfKeyContentInterface &b)
{
	const auto *sa = dynamic_cast<const ConfKeyContentString *>(&a);
	const auto *sb = dynamic_cast<const ConfKeyContentString *>(&b);
	if (sa != nullptr || sb != nullptr)
	{
		return sa != nullptr && sb != nullptr && sa->get_text() == sb->get_text();
	}
	const auto *ma = dynamic_cast<const ConfKeyContentMulti *>(&a);
	const auto *mb = dynamic_cast<const ConfKeyContentMulti *>(&b);
	if (ma == nullptr || mb == nullptr || ma->get_nbr_contents() != mb->get_nbr_contents())
	{
		return false;
	}
	for (long i = 0; i < ma->get_nbr_contents(); ++i)
	{
		if (!conf_content_equal(ma->use_content(i), mb->use_content(i)))
		{
			return false;
		}
	}
	return true;
}

bool conf_key_equal(const ConfKeyInterface &a, const ConfKeyInterface &b)
{
	if (a.get_name() != b.get_name())
	{
		return false;
	}
	const auto *da = dynamic_cast<const ConfKeyData *>(&a);
	const auto *db = dynamic_cast<const ConfKeyData *>(&b);
	if (da != nullptr || db != nullptr)
	{
		return da != nullptr && db != nullptr && conf_content_equal(da->use_content(), db->use_content());
	}
	const auto *ma = dynamic_cast<const ConfKeyMulti *>(&a);
	const auto *mb = dynamic_cast<const ConfKeyMulti *>(&b);
	if (ma == nullptr || mb == nullptr || ma->get_nbr_keys() != mb->get_nbr_keys())
	{
		return false;
	}
	for (long i = 0; i < ma->get_nbr_keys(); ++i)
	{
		if (!conf_key_equal(ma->use_key(i), mb->use_key(i)))
		{
			return false;
		}
	}
	return true;
}

bool conf_key_representable(const ConfKeyInterface &key)
{
	if (key.get_name().empty() || !text_representable(key.get_name()))
	{
		return false;
	}
	if (const auto *d = dynamic_cast<const ConfKeyData *>(&key))
	{
		return content_representable(d->use_content());
	}
	if (const auto *m = dynamic_cast<const ConfKeyMulti *>(&key))
	{
		if (m->get_nbr_keys() == 0)
		{
			return false;
		}
		for (long i = 0; i < m->get_nbr_keys(); ++i)
		{
			if (!conf_key_representable(m->use_key(i)))
			{
				return false;
			}
		}
		return true;
	}
	return false;
}

} // namespace basic
