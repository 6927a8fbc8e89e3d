#include "tools/plughost/ParamSetting.h"

#include "tools/plughost/Args.h"

namespace plughost
{

bool parse_param_setting(const std::string &arg, bool as_text, ParamSetting &out, std::string &err)
{
	const auto eq = arg.find('=');
	if (eq == std::string::npos || eq == 0)
	{
		err = "a parameter setting is NAME=VALUE or INDEX=VALUE, not \"" + arg + "\"";
		return false;
	}
	ParamSetting s;
	s.selector = arg.substr(0, eq);
	s.value = arg.substr(eq + 1);
	s.as_text = as_text;
	if (!as_text)
	{
		double v = 0;
		if (!parse_double(s.value, v) || v < 0.0 || v > 1.0)
		{
			err = "a normalized value is a number from 0 to 1, not \"" + s.value + "\"";
			return false;
		}
		s.normalized = float(v);
	}
	out = s;
	return true;
}

bool parse_param_settings(const std::vector<std::string> &texts, const std::vector<std::string> &norms,
                          std::vector<ParamSetting> &out, std::string &err)
{
	for (const auto &t : texts)
	{
		ParamSetting s;
		if (!parse_param_setting(t, true, s, err))
		{
			return false;
		}
		out.push_back(s);
	}
	for (const auto &t : norms)
	{
		ParamSetting s;
		if (!parse_param_setting(t, false, s, err))
		{
			return false;
		}
		out.push_back(s);
	}
	return true;
}

bool resolve_params(PluginInstance &p, std::vector<ParamSetting> &settings, std::string &err)
{
	for (auto &s : settings)
	{
		s.index = p.find_param(s.selector);
		if (s.index < 0)
		{
			err = "no parameter \"" + s.selector + "\" (the plug-in has " +
			      std::to_string(p.effect()->numParams) + "; see plughost info)";
			return false;
		}
	}
	return true;
}

bool apply_param(PluginInstance &p, const ParamSetting &s, std::string &err)
{
	if (!s.as_text)
	{
		p.set_parameter(s.index, s.normalized);
		return true;
	}
	std::string text = s.value;
	const auto ok = p.dispatch(vst2::effString2Parameter, s.index, 0, text.data());
	if (ok == 0)
	{
		err = "the plug-in did not accept \"" + s.value + "\" for parameter " + std::to_string(s.index) + " " +
		      quote_text(p.param_name(s.index)) + " (use --norm " + s.selector + "=0..1)";
		return false;
	}
	return true;
}

int find_program(PluginInstance &p, const std::string &sel)
{
	long i = 0;
	const int n = p.effect()->numPrograms;
	if (parse_long(sel, i))
	{
		return (i >= 0 && i < n) ? int(i) : -1;
	}
	for (int k = 0; k < n; ++k)
	{
		if (p.program_name_indexed(k) == sel)
		{
			return k;
		}
	}
	return -1;
}

} // namespace plughost
