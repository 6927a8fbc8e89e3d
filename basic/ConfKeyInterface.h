// A named key of the configuration tree: a section (ConfKeyMulti) or a data
// key (ConfKeyData). Errors are thrown as constant C strings.
#pragma once

#include "basic/ConfKeyStreamInterface.h"

#include <iosfwd>
#include <string>

namespace basic
{

class ConfKeyInterface : public ConfKeyStreamInterface
{
public:
	// Either character separates the components of a key path.
	static const char _keypath_delimiter_list[];

	ConfKeyInterface() = default;
	explicit ConfKeyInterface(const std::string &name);
	~ConfKeyInterface() override = default;

	const std::string &get_name() const { return _name; }
	void set_name(const std::string &name);
	const std::string &get_comment() const { return _comment; }
	// Stored on one line: line feeds become blanks.
	void set_comment(const std::string &comment);

	// A new heap copy of the most derived key, owned by the caller.
	ConfKeyInterface *clone() const { return do_clone(); }

	// True when the name holds neither '/' nor '\'.
	static bool check_name(const std::string &name);
	void check_name_throw() const;
	// Every character but ASCII letters and digits becomes '_'.
	static std::string mangle_name(const std::string &name);

protected:
	ConfKeyInterface(const ConfKeyInterface &) = default;
	ConfKeyInterface &operator=(const ConfKeyInterface &) = default;

	void do_write_to_string(std::string &out, Context &ctx) const final;
	virtual ConfKeyInterface *do_clone() const = 0;
	virtual void do_cki_write_to_string(std::string &out, Context &ctx) const = 0;

private:
	std::string _name;
	std::string _comment;
};

// Writes the key's text (level 0) to the stream.
std::ostream &operator<<(std::ostream &os, const ConfKeyInterface &key);

} // namespace basic
