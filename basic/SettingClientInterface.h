// A component with settings saved in setting files (the MIDI manager).
#pragma once

namespace basic
{

class ConfKeyMulti;

class SettingClientInterface
{
public:
	virtual ~SettingClientInterface() = default;

	// Adds this client's keys to the root section. 0 on success.
	virtual int save_settings(ConfKeyMulti &root) = 0;
	// Reads this client's keys from the root section. 0 on success.
	virtual int load_settings(const ConfKeyMulti &root) = 0;
};

} // namespace basic
