// Command-line options of a subcommand: "--name value", "--name=value" and
// flags; everything else is positional.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace plughost
{

struct OptionDef
{
	const char *name; // without the leading "--"
	bool takes_value;
};

class Args
{
public:
	// Parses args against specs; false with err on an unknown option or a
	// missing value.
	bool parse(const std::vector<std::string> &args, const std::vector<OptionDef> &specs, std::string &err);

	bool has(const std::string &name) const { return _values.count(name) != 0; }
	std::string get(const std::string &name, const std::string &def = "") const;
	const std::vector<std::string> &all(const std::string &name) const;
	const std::vector<std::string> &positional() const { return _positional; }

	// Numeric options; false with err when the text is not a number in range.
	bool get_double(const std::string &name, double &v, double lo, double hi, std::string &err) const;
	bool get_long(const std::string &name, long &v, long lo, long hi, std::string &err) const;

private:
	std::map<std::string, std::vector<std::string>> _values;
	std::vector<std::string> _positional;
};

// Strict number parsing in the "C" locale: the whole text must be used.
bool parse_double(const std::string &text, double &v);
bool parse_long(const std::string &text, long &v);

} // namespace plughost
