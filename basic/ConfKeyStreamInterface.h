// Anything that can write itself as configuration text: keys and their values.
#pragma once

#include <string>

namespace basic
{

class ConfKeyStreamInterface
{
public:
	// The writer's state: the indentation level, 3 blanks per level.
	class Context
	{
	public:
		int get_indent_level() const { return _indent_level; }
		int inc_indent_level() { return ++_indent_level; }
		int dec_indent_level() { return --_indent_level; }
		std::string get_indent_string() const;

	private:
		int _indent_level = 0;
	};

	// A name or text holding one of these is written between double quotes.
	static const char _lexeme_delimiter_list[];

	virtual ~ConfKeyStreamInterface() = default;

	// Appends the node's text to out, at level 0. Returns 0. Throws the
	// anonymous-key text when a key of the tree has an empty name.
	int write_to_string(std::string &out) const;
	int write_to_string(std::string &out, Context &ctx) const;

	// Appends a name or text, quoted when it holds a blank, a tab, a line
	// feed or a comma, or when it is empty (the reader takes "" as the empty
	// text). Nothing is escaped: texts holding '"', "//", an operator alone,
	// a backspace or a vertical tab do not read back as they were. Returns 0.
	int write_string_to_string(std::string &out, Context &ctx, const std::string &text) const;

protected:
	ConfKeyStreamInterface() = default;
	ConfKeyStreamInterface(const ConfKeyStreamInterface &) = default;
	ConfKeyStreamInterface &operator=(const ConfKeyStreamInterface &) = default;

	virtual void do_write_to_string(std::string &out, Context &ctx) const = 0;
};

} // namespace basic
