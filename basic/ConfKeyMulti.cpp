#include "basic/ConfKeyMulti.h"

#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"

namespace basic
{

namespace
{

const char invalid_path_text[] = "ConfKeyMulti::split_key_path_first : Invalid key path.";

} // namespace

ConfKeyMulti::ConfKeyMulti(const std::string &name)
:	ConfKeyInterface(name)
{
}

ConfKeyMulti::ConfKeyMulti(const ConfKeyMulti &other)
:	ConfKeyInterface(other)
{
	for (const auto &k : other._keys)
	{
		_keys.emplace_back(k->clone());
	}
}

ConfKeyMulti &ConfKeyMulti::operator=(const ConfKeyMulti &other)
{
	if (this != &other)
	{
		// Copy first: other may be a descendant of this section.
		ConfKeyMulti copy(other);
		ConfKeyInterface::operator=(copy);
		_keys.swap(copy._keys);
	}
	return *this;
}

void ConfKeyMulti::set_key(long index, const ConfKeyInterface &key)
{
	_keys[static_cast<size_t>(index)].reset(key.clone());
}

void ConfKeyMulti::push_back(const ConfKeyInterface &key)
{
	_keys.emplace_back(key.clone());
}

void ConfKeyMulti::push_back_owned(std::unique_ptr<ConfKeyInterface> key)
{
	_keys.push_back(std::move(key));
}

void ConfKeyMulti::add_unique(const ConfKeyInterface &key)
{
	const long index = find_index(key.get_name(), 0);
	if (index >= 0)
	{
		set_key(index, key);
	}
	else
	{
		push_back(key);
	}
}

void ConfKeyMulti::remove(long index)
{
	_keys.erase(_keys.begin() + index);
}

template <class T>
long ConfKeyMulti::find_index_kind(const std::string &name, long start) const
{
	const long nbr = get_nbr_keys();
	for (long i = (start < 0) ? 0 : start; i < nbr; ++i)
	{
		const ConfKeyInterface &k = *_keys[static_cast<size_t>(i)];
		if (k.get_name() == name && dynamic_cast<const T *>(&k) != nullptr)
		{
			return i;
		}
	}
	return -1;
}

long ConfKeyMulti::find_index(const std::string &name, long start) const
{
	return find_index_kind<ConfKeyInterface>(name, start);
}

long ConfKeyMulti::find_index_multi(const std::string &name, long start) const
{
	return find_index_kind<ConfKeyMulti>(name, start);
}

long ConfKeyMulti::find_index_data(const std::string &name, long start) const
{
	return find_index_kind<ConfKeyData>(name, start);
}

long ConfKeyMulti::find_index_throw(const std::string &name) const
{
	const long index = find_index(name, 0);
	if (index < 0)
	{
		throw "ConfKeyMulti::find_index_throw : Key not found.";
	}
	return index;
}

const ConfKeyInterface *ConfKeyMulti::walk_key_tree(const std::string &path) const
{
	std::string first;
	std::string rest;
	split_key_path_first(first, rest, path);
	const long index = find_index(first, 0);
	if (index < 0)
	{
		return nullptr;
	}
	const ConfKeyInterface &child = use_key(index);
	if (rest.empty())
	{
		return &child;
	}
	const auto *section = dynamic_cast<const ConfKeyMulti *>(&child);
	return (section != nullptr) ? section->walk_key_tree(rest) : nullptr;
}

ConfKeyInterface *ConfKeyMulti::walk_key_tree(const std::string &path)
{
	return const_cast<ConfKeyInterface *>(static_cast<const ConfKeyMulti *>(this)->walk_key_tree(path));
}

bool ConfKeyMulti::is_key_existing(const std::string &path) const
{
	return walk_key_tree(path) != nullptr;
}

const ConfKeyInterface &ConfKeyMulti::use_key(const std::string &path) const
{
	const ConfKeyInterface *key = walk_key_tree(path);
	if (key == nullptr)
	{
		throw "ConfKeyMulti::use_key : Key doesn't exist.";
	}
	return *key;
}

ConfKeyInterface &ConfKeyMulti::use_key(const std::string &path)
{
	return const_cast<ConfKeyInterface &>(static_cast<const ConfKeyMulti *>(this)->use_key(path));
}

bool ConfKeyMulti::is_key_unique(const std::string &path) const
{
	std::string first;
	std::string rest;
	split_key_path_first(first, rest, path);
	const long index = find_index(first, 0);
	if (index < 0)
	{
		return true;
	}
	if (find_index(first, index + 1) >= 0)
	{
		return false;
	}
	const auto *section = dynamic_cast<const ConfKeyMulti *>(&use_key(index));
	if (!rest.empty() && section != nullptr)
	{
		return section->is_key_unique(rest);
	}
	return true;
}

std::string ConfKeyMulti::get_key_str(const std::string &path) const
{
	const auto *data = dynamic_cast<const ConfKeyData *>(walk_key_tree(path));
	if (data != nullptr)
	{
		const auto *text = dynamic_cast<const ConfKeyContentString *>(&data->use_content());
		if (text != nullptr)
		{
			return text->get_text();
		}
	}
	return std::string();
}

void ConfKeyMulti::set_key_str(const std::string &path, const std::string &text)
{
	std::string first;
	std::string rest;
	split_key_path_first(first, rest, path);
	if (rest.empty())
	{
		add_unique(ConfKeyData(first, text));
		return;
	}
	long index = find_index(first, 0);
	if (index < 0)
	{
		push_back_owned(std::make_unique<ConfKeyMulti>(first));
		index = get_nbr_keys() - 1;
	}
	else if (dynamic_cast<ConfKeyMulti *>(_keys[static_cast<size_t>(index)].get()) == nullptr)
	{
		_keys[static_cast<size_t>(index)] = std::make_unique<ConfKeyMulti>(first);
	}
	static_cast<ConfKeyMulti &>(use_key(index)).set_key_str(rest, text);
}

void ConfKeyMulti::split_key_path_first(std::string &first, std::string &rest, const std::string &path)
{
	const std::string::size_type pos = path.find_first_of(_keypath_delimiter_list);
	if (pos == std::string::npos)
	{
		first = path;
		rest.clear();
	}
	else
	{
		first = path.substr(0, pos);
		rest = path.substr(pos + 1);
	}
	if (first.empty())
	{
		throw invalid_path_text;
	}
}

void ConfKeyMulti::split_key_path_last(std::string &head, std::string &last, const std::string &path)
{
	const std::string::size_type pos = path.find_last_of(_keypath_delimiter_list);
	if (pos == std::string::npos)
	{
		head.clear();
		last = path;
	}
	else
	{
		head = path.substr(0, pos);
		last = path.substr(pos + 1);
	}
	// The message names the first-component function here too.
	if (last.empty())
	{
		throw invalid_path_text;
	}
}

ConfKeyInterface *ConfKeyMulti::do_clone() const
{
	return new ConfKeyMulti(*this);
}

void ConfKeyMulti::do_cki_write_to_string(std::string &out, Context &ctx) const
{
	const std::string indent = ctx.get_indent_string();
	if (!get_comment().empty())
	{
		out += indent;
		out += "// ";
		out += get_comment();
		out += '\n';
	}
	out += indent;
	write_string_to_string(out, ctx, get_name());
	out += " =\n";
	out += indent;
	out += "{\n";
	ctx.inc_indent_level();
	for (const auto &k : _keys)
	{
		k->write_to_string(out, ctx);
		out += '\n';
	}
	ctx.dec_indent_level();
	out += indent;
	out += '}';
}

} // namespace basic
