#include "basic/SettingMgrInterface.h"

#include "basic/ConfKeyContentMulti.h"
#include "basic/ConfKeyData.h"
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"
#include "basic/SettingClientInterface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace basic
{

int SettingMgrInterface::register_client(SettingClientInterface &client)
{
	const int status = (get_client_pos(client) >= 0) ? ERR_ALREADY_REGISTERED : 0;
	_clients.push_back(&client);
	return status;
}

int SettingMgrInterface::unregister_client(SettingClientInterface &client)
{
	const long pos = get_client_pos(client);
	if (pos < 0)
	{
		return ERR_NOT_REGISTERED;
	}
	_clients.erase(_clients.begin() + pos);
	return (get_client_pos(client) >= 0) ? ERR_STILL_REGISTERED : 0;
}

int SettingMgrInterface::unregister_all_clients()
{
	_clients.clear();
	return 0;
}

long SettingMgrInterface::get_client_pos(SettingClientInterface &client) const
{
	const auto it = std::find(_clients.begin(), _clients.end(), &client);
	return (it == _clients.end()) ? -1 : static_cast<long>(it - _clients.begin());
}

int SettingMgrInterface::build_settings_text(std::string &text, const std::string &path)
{
	ConfKeyMulti root("Default");
	int status = 0;
	try
	{
		do_save_settings_pre(root, path, status);
		for (size_t i = 0; status == 0 && i < _clients.size(); ++i)
		{
			status = _clients[i]->save_settings(root);
		}
	}
	catch (...)
	{
		status = ERR_EXCEPTION;
	}
	try
	{
		do_save_settings_post(root, path, status);
	}
	catch (...)
	{
		status = ERR_EXCEPTION;
	}
	if (status == 0)
	{
		try
		{
			root.write_to_string(text);
		}
		catch (...)
		{
			status = ERR_EXCEPTION;
		}
	}
	return status;
}

int SettingMgrInterface::save_settings(const std::string &path)
{
	std::string text;
	int status = build_settings_text(text, path);
	if (status == 0)
	{
		status = save_file(text, path);
	}
	return status;
}

int SettingMgrInterface::load_settings(const std::string &path)
{
	std::string text;
	int status = 0;
	try
	{
		status = load_file(text, path);
	}
	catch (...)
	{
		status = ERR_EXCEPTION;
	}
	if (status != 0)
	{
		return status;
	}
	return load_settings_from_text(text, path);
}

int SettingMgrInterface::load_settings_from_text(const std::string &text, const std::string &path)
{
	std::unique_ptr<ConfKeyMulti> root;
	try
	{
		int status = 0;
		std::unique_ptr<ConfKeyInterface> key(ConfKeyFactory::get_instance().create_key(text, status));
		if (!key)
		{
			return status + ERR_PARSE_OFFSET;
		}
		// A key that was read is used even if a later part of the text failed.
		if (auto *section = dynamic_cast<ConfKeyMulti *>(key.get()))
		{
			key.release();
			root.reset(section);
		}
		else
		{
			// An empty section is written as name, "{" and "}" and reads back
			// as a data key holding an empty list.
			const auto *data = dynamic_cast<const ConfKeyData *>(key.get());
			const auto *list = (data != nullptr) ? dynamic_cast<const ConfKeyContentMulti *>(&data->use_content()) : nullptr;
			if (list == nullptr || list->get_nbr_contents() != 0)
			{
				return ERR_NOT_SECTION;
			}
			root = std::make_unique<ConfKeyMulti>(key->get_name());
		}
	}
	catch (...)
	{
		return ERR_EXCEPTION;
	}
	return load_clients(*root, path);
}

int SettingMgrInterface::load_clients(ConfKeyMulti &root, const std::string &path)
{
	int status = 0;
	try
	{
		do_load_settings_pre(root, path, status);
		for (size_t i = 0; status == 0 && i < _clients.size(); ++i)
		{
			status = _clients[i]->load_settings(root);
		}
	}
	catch (...)
	{
		status = ERR_EXCEPTION;
	}
	try
	{
		do_load_settings_post(root, path, status);
	}
	catch (...)
	{
		status = ERR_EXCEPTION;
	}
	return status;
}

int SettingMgrInterface::save_file(const std::string &text, const std::string &path)
{
	std::FILE *f = std::fopen(path.c_str(), "w");
	if (f == nullptr)
	{
		return ERR_OPEN_WRITE;
	}
	bool ok = (std::fwrite(text.data(), 1, text.size(), f) == text.size());
	// A full disk often shows only when the buffer is flushed or closed.
	ok = (std::fflush(f) == 0) && ok;
	ok = (std::fclose(f) == 0) && ok;
	return ok ? 0 : ERR_WRITE;
}

int SettingMgrInterface::load_file(std::string &text, const std::string &path)
{
	std::FILE *f = std::fopen(path.c_str(), "r");
	if (f == nullptr)
	{
		return ERR_OPEN_READ;
	}
	std::string result;
	char *line = nullptr;
	size_t cap = 0;
	ssize_t len;
	while ((len = ::getline(&line, &cap, f)) >= 0)
	{
		result.append(line, static_cast<size_t>(len));
		if (len == 0 || line[len - 1] != '\n')
		{
			result += '\n';
		}
	}
	std::free(line);
	const bool failed = (std::ferror(f) != 0);
	std::fclose(f);
	if (failed)
	{
		return ERR_READ;
	}
	text.swap(result);
	return 0;
}

void SettingMgrInterface::do_load_settings_pre(const ConfKeyMulti &, const std::string &, int &)
{
}

void SettingMgrInterface::do_load_settings_post(const ConfKeyMulti &, const std::string &, int &)
{
}

void SettingMgrInterface::do_save_settings_pre(ConfKeyMulti &, const std::string &, int &)
{
}

void SettingMgrInterface::do_save_settings_post(ConfKeyMulti &, const std::string &, int &)
{
}

} // namespace basic
