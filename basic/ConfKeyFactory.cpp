#include "basic/ConfKeyFactory.h"

#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyContentString.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyMulti.h"

#include <deque>
#include <memory>

namespace basic
{

namespace
{

using Lexemes = std::deque<std::string>;

bool is_lexer_delimiter(char c)
{
	return c == ' ' || c == '\n' || c == '\t' || c == '\b' || c == '\v';
}

// Splits one line (its line feed included, when it has one) into lexemes.
// Returns false on a lexical error.
bool split_line(Lexemes &lex, const std::string &text, size_t begin, size_t end, int &depth)
{
	// Stage 1: drop the comment, isolate the operators.
	std::string kept;
	kept.reserve(end - begin + 8);
	bool quoted = false;
	for (size_t i = begin; i < end; ++i)
	{
		const char c = text[i];
		if (c == '"')
		{
			quoted = !quoted;
			kept += c;
		}
		else if (quoted)
		{
			kept += c;
		}
		else if (c == '/' && i + 1 < end && text[i + 1] == '/')
		{
			break;
		}
		else if (c == '=' || c == '{' || c == '}')
		{
			if (c == '{')
			{
				++depth;
				if (depth > ConfKeyFactory::MAX_DEPTH)
				{
					return false;
				}
			}
			else if (c == '}')
			{
				--depth;
				if (depth < 0)
				{
					return false;
				}
			}
			kept += ' ';
			kept += c;
			kept += ' ';
		}
		else
		{
			kept += c;
		}
	}
	if (quoted)
	{
		return false;
	}

	// Stage 2: cut at delimiter runs; a quoted run is one lexeme.
	std::string cur;
	bool building = false;
	const size_t n = kept.size();
	for (size_t i = 0; i < n; ++i)
	{
		const char c = kept[i];
		if (c == '"')
		{
			if (building)
			{
				lex.push_back(cur);
				cur.clear();
				building = false;
			}
			const size_t close = kept.find('"', i + 1);
			// Quotes are balanced on the line, so close is always found.
			lex.push_back(kept.substr(i + 1, close - i - 1));
			i = close;
		}
		else if (is_lexer_delimiter(c))
		{
			if (building)
			{
				lex.push_back(cur);
				cur.clear();
				building = false;
			}
		}
		else
		{
			cur += c;
			building = true;
		}
	}
	if (building)
	{
		lex.push_back(cur);
	}
	return true;
}

bool split_text(Lexemes &lex, const std::string &text)
{
	int depth = 0;
	size_t begin = 0;
	const size_t len = text.size();
	while (begin < len)
	{
		size_t end = text.find('\n', begin);
		end = (end == std::string::npos) ? len : end + 1;
		if (!split_line(lex, text, begin, end, depth))
		{
			return false;
		}
		begin = end;
	}
	return depth == 0;
}

// Stage 2: keys and values from the lexemes. Every look-ahead is checked
// against the end of the list: texts holding quoted braces can leave a
// section or list without its closing brace.
class Reader
{
public:
	explicit Reader(const Lexemes &lex) : _lex(lex) {}

	std::unique_ptr<ConfKeyInterface> read_top(int &status)
	{
		std::unique_ptr<ConfKeyInterface> key;
		switch (identify_key())
		{
		case Kind::SECTION:
			key = read_section(status);
			break;
		case Kind::DATA:
			key = read_data(status);
			break;
		default:
			break;
		}
		if (status == 0 && _pos != _lex.size())
		{
			status = ConfKeyFactory::ERR_LEFT_OVER;
		}
		return key;
	}

private:
	enum class Kind { NONE, SECTION, DATA, TEXT, LIST };

	size_t left() const { return _lex.size() - _pos; }
	const std::string &at(size_t offset) const { return _lex[_pos + offset]; }

	Kind identify_key() const
	{
		if (left() < 3)
		{
			return Kind::NONE;
		}
		if (at(1) != "=" || at(0) == "=" || at(2) == "=")
		{
			return Kind::NONE;
		}
		if (at(2) == "{" && left() >= 5 && at(4) == "=")
		{
			return Kind::SECTION;
		}
		return Kind::DATA;
	}

	Kind identify_value() const
	{
		if (left() < 1)
		{
			return Kind::NONE;
		}
		if (at(0) == "{")
		{
			return (left() >= 2) ? Kind::LIST : Kind::NONE;
		}
		return Kind::TEXT;
	}

	std::unique_ptr<ConfKeyInterface> read_section(int &status)
	{
		auto section = std::make_unique<ConfKeyMulti>(at(0));
		_pos += 3;
		while (true)
		{
			if (left() < 1)
			{
				status = ConfKeyFactory::ERR_SECTION;
				break;
			}
			if (at(0) == "}")
			{
				++_pos;
				break;
			}
			if (left() < 4)
			{
				status = ConfKeyFactory::ERR_SECTION;
				break;
			}
			std::unique_ptr<ConfKeyInterface> child;
			const Kind kind = identify_key();
			if (kind == Kind::SECTION)
			{
				child = read_section(status);
			}
			else if (kind == Kind::DATA)
			{
				child = read_data(status);
			}
			else
			{
				status = ConfKeyFactory::ERR_SECTION;
				break;
			}
			section->push_back_owned(std::move(child));
			if (status != 0)
			{
				break;
			}
		}
		return section;
	}

	std::unique_ptr<ConfKeyInterface> read_data(int &status)
	{
		auto data = std::make_unique<ConfKeyData>(at(0));
		_pos += 2;
		std::unique_ptr<ConfKeyContentInterface> value;
		switch (identify_value())
		{
		case Kind::LIST:
			value = read_list(status);
			break;
		case Kind::TEXT:
			value = read_text(status);
			break;
		default:
			status = ConfKeyFactory::ERR_DATA;
			break;
		}
		data->set_content_owned(std::move(value));
		return data;
	}

	std::unique_ptr<ConfKeyContentInterface> read_text(int &status)
	{
		// Unreachable through identify_value; kept as the last guard.
		if (left() < 1)
		{
			status = ConfKeyFactory::ERR_TEXT_MISSING;
			return nullptr;
		}
		auto text = std::make_unique<ConfKeyContentString>(at(0));
		++_pos;
		return text;
	}

	std::unique_ptr<ConfKeyContentInterface> read_list(int &status)
	{
		auto list = std::make_unique<ConfKeyContentMulti>();
		++_pos;
		while (true)
		{
			if (left() < 1)
			{
				status = ConfKeyFactory::ERR_LIST;
				break;
			}
			if (at(0) == "}")
			{
				++_pos;
				break;
			}
			if (left() < 2)
			{
				status = ConfKeyFactory::ERR_LIST;
				break;
			}
			std::unique_ptr<ConfKeyContentInterface> item;
			const Kind kind = identify_value();
			if (kind == Kind::LIST)
			{
				item = read_list(status);
			}
			else if (kind == Kind::TEXT)
			{
				item = read_text(status);
			}
			else
			{
				status = ConfKeyFactory::ERR_LIST;
				break;
			}
			if (item)
			{
				list->push_back_owned(std::move(item));
			}
			if (status != 0)
			{
				break;
			}
		}
		return list;
	}

	const Lexemes &_lex;
	size_t _pos = 0;
};

} // namespace

ConfKeyFactory &ConfKeyFactory::get_instance()
{
	static ConfKeyFactory instance;
	return instance;
}

ConfKeyInterface *ConfKeyFactory::create_key(const std::string &text)
{
	int status = 0;
	ConfKeyInterface *key = create_key(text, status);
	return key;
}

ConfKeyInterface *ConfKeyFactory::create_key(const std::string &text, int &status)
{
	status = ERR_OK;
	_last_error.store(status);
	Lexemes lex;
	if (!split_text(lex, text))
	{
		status = ERR_LEXICAL;
		_last_error.store(status);
		return nullptr;
	}
	if (lex.empty())
	{
		return nullptr;
	}
	Reader reader(lex);
	std::unique_ptr<ConfKeyInterface> key = reader.read_top(status);
	_last_error.store(status);
	return key.release();
}

} // namespace basic
