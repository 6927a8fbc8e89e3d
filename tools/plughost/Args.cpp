#include "tools/plughost/Args.h"

#include "basic/CLocale.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace plughost
{

bool Args::parse(const std::vector<std::string> &args, const std::vector<OptionDef> &specs, std::string &err)
{
	bool only_positional = false;
	for (std::size_t i = 0; i < args.size(); ++i)
	{
		const std::string &a = args[i];
		if (only_positional || a.size() < 3 || a.compare(0, 2, "--") != 0)
		{
			if (a == "--")
			{
				only_positional = true;
				continue;
			}
			_positional.push_back(a);
			continue;
		}
		std::string name = a.substr(2);
		std::string value;
		bool has_value = false;
		const auto eq = name.find('=');
		if (eq != std::string::npos)
		{
			value = name.substr(eq + 1);
			name.resize(eq);
			has_value = true;
		}
		const OptionDef *def = nullptr;
		for (const auto &s : specs)
		{
			if (name == s.name)
			{
				def = &s;
			}
		}
		if (def == nullptr)
		{
			err = "unknown option --" + name;
			return false;
		}
		if (def->takes_value && !has_value)
		{
			if (i + 1 >= args.size())
			{
				err = "option --" + name + " needs a value";
				return false;
			}
			value = args[++i];
		}
		else if (!def->takes_value && has_value)
		{
			err = "option --" + name + " takes no value";
			return false;
		}
		_values[name].push_back(value);
	}
	return true;
}

std::string Args::get(const std::string &name, const std::string &def) const
{
	const auto it = _values.find(name);
	return it == _values.end() ? def : it->second.back();
}

const std::vector<std::string> &Args::all(const std::string &name) const
{
	static const std::vector<std::string> none;
	const auto it = _values.find(name);
	return it == _values.end() ? none : it->second;
}

bool Args::get_double(const std::string &name, double &v, double lo, double hi, std::string &err) const
{
	if (!has(name))
	{
		return true;
	}
	double x = 0;
	if (!parse_double(get(name), x) || !(x >= lo && x <= hi))
	{
		err = "--" + name + " wants a number from " + basic::c_format("%g", lo) + " to " +
		      basic::c_format("%g", hi) + ", not \"" + get(name) + "\"";
		return false;
	}
	v = x;
	return true;
}

bool Args::get_long(const std::string &name, long &v, long lo, long hi, std::string &err) const
{
	if (!has(name))
	{
		return true;
	}
	long x = 0;
	if (!parse_long(get(name), x) || x < lo || x > hi)
	{
		err = "--" + name + " wants a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
		      ", not \"" + get(name) + "\"";
		return false;
	}
	v = x;
	return true;
}

bool parse_double(const std::string &text, double &v)
{
	if (text.empty())
	{
		return false;
	}
	char *end = nullptr;
	const double x = basic::c_strtod(text.c_str(), &end);
	if (end == nullptr || *end != '\0' || !std::isfinite(x))
	{
		return false;
	}
	v = x;
	return true;
}

bool parse_long(const std::string &text, long &v)
{
	if (text.empty())
	{
		return false;
	}
	errno = 0;
	char *end = nullptr;
	const long x = std::strtol(text.c_str(), &end, 10);
	if (end == nullptr || *end != '\0' || errno != 0)
	{
		return false;
	}
	v = x;
	return true;
}

} // namespace plughost
