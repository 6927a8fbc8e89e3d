// Parameter settings from the command line: "SEL=TEXT" given to the plug-in
// as text through effString2Parameter, or "SEL=VALUE" as a normalized value.
// SEL is a parameter index or name.
#pragma once

#include "tools/plughost/PluginInstance.h"

#include <string>
#include <vector>

namespace plughost
{

struct ParamSetting
{
	std::string selector;
	std::string value;
	bool as_text = true;
	int index = -1;      // resolved against an instance
	float normalized = 0; // for as_text == false
};

// Splits "SEL=VALUE" at the first '='; false with err when malformed or a
// normalized value is not a number from 0 to 1.
bool parse_param_setting(const std::string &arg, bool as_text, ParamSetting &out, std::string &err);

// Collects the --param (text) and --norm (normalized) options in order.
bool parse_param_settings(const std::vector<std::string> &texts, const std::vector<std::string> &norms,
                          std::vector<ParamSetting> &out, std::string &err);

// Finds each selector's index; false with err for an unknown one.
bool resolve_params(PluginInstance &p, std::vector<ParamSetting> &settings, std::string &err);

// Sets one parameter; false with err when the plug-in refuses the text.
bool apply_param(PluginInstance &p, const ParamSetting &s, std::string &err);

// Finds a program by index or name; -1 when none.
int find_program(PluginInstance &p, const std::string &sel);

} // namespace plughost
