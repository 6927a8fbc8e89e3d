// A data key: a name and one value (a text or a list), never missing.
#pragma once

#include "basic/ConfKeyContentInterface.h"
#include "basic/ConfKeyInterface.h"

#include <memory>
#include <string>

namespace basic
{

class ConfKeyData : public ConfKeyInterface
{
public:
	// The content is an empty text.
	ConfKeyData();
	explicit ConfKeyData(const std::string &name);
	ConfKeyData(const std::string &name, const std::string &text);
	ConfKeyData(const std::string &name, const ConfKeyContentInterface &content);
	ConfKeyData(const ConfKeyData &other);
	ConfKeyData &operator=(const ConfKeyData &other);
	~ConfKeyData() override = default;

	// Replaces the content by a clone.
	void set_content(const ConfKeyContentInterface &content);
	// Takes ownership of a value already on the heap (used by the reader).
	void set_content_owned(std::unique_ptr<ConfKeyContentInterface> content);
	ConfKeyContentInterface &use_content() { return *_content; }
	const ConfKeyContentInterface &use_content() const { return *_content; }

protected:
	ConfKeyInterface *do_clone() const override;
	void do_cki_write_to_string(std::string &out, Context &ctx) const override;

private:
	std::unique_ptr<ConfKeyContentInterface> _content;
};

} // namespace basic
