// Parameter checks: extreme and invalid values, bad indexes, text scanning
// with garbage, display texts (under a German locale too) and properties.
#include "tools/plughost/validate/CheckSupport.h"

#include "basic/CLocale.h"

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

namespace plughost
{

namespace
{

std::string value_text(float v)
{
	return basic::c_format("%g", double(v));
}

void check_values(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_params(ctx, r);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	const float inf = std::numeric_limits<float>::infinity();
	const float values[] = {0.0f, 1.0f, std::numeric_limits<float>::quiet_NaN(), inf, -inf, -0.5f, 1.5f,
	                        1e30f, -1e30f, 1e-40f, -0.0f};
	Rng rng(ctx.seed);
	int bad = 0;
	for (int i = 0; i < np; ++i)
	{
		const float original = p->get_parameter(i);
		for (float v : values)
		{
			p->set_parameter(i, v);
			const float back = p->get_parameter(i);
			if (!(back >= 0.0f && back <= 1.0f))
			{
				if (bad++ < 4)
				{
					r.fail("parameter " + std::to_string(i) + " set to " + value_text(v) + " reads back " +
					       value_text(back));
				}
			}
		}
		const OutputScan s = process_noise(*p, rng, 256, 256);
		if (!s.clean())
		{
			r.fail("parameter " + std::to_string(i) + " after extreme values: " + s.describe());
			return;
		}
		p->set_parameter(i, original);
	}
	if (bad > 4)
	{
		r.fail(std::to_string(bad - 4) + " more values read back outside [0, 1]");
	}
	r.note("0, 1, NaN, infinities and out-of-range values on " + std::to_string(np) +
	       " parameters read back within [0, 1]");
}

void check_indexes(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p)
	{
		return;
	}
	const vst2::AEffect *e = p->effect();
	const Snapshot before = take_snapshot(*p);
	const vst2::int32 bad[] = {-1, -1000, e->numParams, e->numParams + 1000, std::numeric_limits<vst2::int32>::max(),
	                           std::numeric_limits<vst2::int32>::min()};
	std::vector<std::string> fails;
	std::vector<std::string> warns;
	for (vst2::int32 i : bad)
	{
		const std::string w = "index " + std::to_string(i);
		p->set_parameter(i, 0.5f);
		const float g = p->get_parameter(i);
		if (std::isnan(g))
		{
			warns.push_back("getParameter(" + std::to_string(i) + ") is NaN");
		}
		judge_text(p->text(vst2::effGetParamName, i), 8, "name of " + w, fails, warns);
		judge_text(p->text(vst2::effGetParamLabel, i), 8, "label of " + w, fails, warns);
		judge_text(p->text(vst2::effGetParamDisplay, i), 8, "display of " + w, fails, warns);
		p->dispatch(vst2::effCanBeAutomated, i);
		char text[16] = "0.5";
		p->dispatch(vst2::effString2Parameter, i, 0, text);
		vst2::VstParameterProperties props{};
		p->dispatch(vst2::effGetParameterProperties, i, 0, &props);
		judge_text(p->text(vst2::effGetProgramNameIndexed, i), 24, "program name of " + w, fails, warns);
	}
	const vst2::int32 bad_programs[] = {e->numPrograms, e->numPrograms + 5};
	for (vst2::int32 i : bad_programs)
	{
		judge_text(p->text(vst2::effGetProgramNameIndexed, i), 24, "program name of index " + std::to_string(i), fails,
		           warns);
	}
	for (const auto &f : fails)
	{
		r.fail(f);
	}
	const std::string d = take_snapshot(*p).diff(before);
	if (!d.empty())
	{
		r.fail("calls with bad indexes changed the state: " + d);
	}
	if (!warns.empty())
	{
		r.warn(first_items(warns, 2));
	}
	r.note("negative and large indexes refused without a change");
}

void check_string2parameter(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_params(ctx, r);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	const std::string garbage[] = {"", "zzz", "nan", "NaN", "-nan", "inf", "-inf", "1e999", "-1e999", "0x1p3",
	                               "  12  ", "1,5", "--", "+", std::string(1000, '9'), std::string(5000, 'x')};
	int round_trips = 0;
	int round_trips_ok = 0;
	for (int i = 0; i < np; ++i)
	{
		const float original = p->get_parameter(i);
		for (const auto &g : garbage)
		{
			std::vector<char> buf(g.begin(), g.end());
			buf.resize(g.size() + 64, '\0');
			p->dispatch(vst2::effString2Parameter, i, 0, buf.data());
			const float v = p->get_parameter(i);
			if (!(v >= 0.0f && v <= 1.0f))
			{
				r.fail("parameter " + std::to_string(i) + " after the text " +
				       quote_text(g.size() > 20 ? g.substr(0, 20) + "..." : g) + " reads " + value_text(v));
				return;
			}
		}
		// The display text of a value, scanned back.
		p->set_parameter(i, original);
		const std::string shown = p->param_display(i);
		std::vector<char> buf(shown.begin(), shown.end());
		buf.resize(shown.size() + 64, '\0');
		p->set_parameter(i, original > 0.5f ? 0.0f : 1.0f);
		if (p->dispatch(vst2::effString2Parameter, i, 0, buf.data()) != 0)
		{
			++round_trips;
			round_trips_ok += p->param_display(i) == shown ? 1 : 0;
		}
		p->set_parameter(i, original);
	}
	if (round_trips == 0)
	{
		r.note("effString2Parameter not supported; garbage left every value in [0, 1]");
		return;
	}
	r.note("garbage, \"nan\" and over-long texts left every value in [0, 1]; " + std::to_string(round_trips_ok) +
	       " of " + std::to_string(round_trips) + " display texts scan back to the same display");
}

void check_display(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_with_params(ctx, r);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	Rng rng(ctx.seed);
	std::vector<std::string> fails;
	std::vector<std::string> warns;
	const long per_param = ctx.scaled(10);
	for (int i = 0; i < np; ++i)
	{
		const float original = p->get_parameter(i);
		for (long k = 0; k < per_param + 2; ++k)
		{
			const float v = k == 0 ? 0.0f : k == 1 ? 1.0f : float(rng.uniform());
			p->set_parameter(i, v);
			judge_text(p->text(vst2::effGetParamDisplay, i), 8,
			           "display of parameter " + std::to_string(i) + " at " + value_text(v), fails, warns);
		}
		p->set_parameter(i, original);
	}
	for (std::size_t k = 0; k < fails.size() && k < 4; ++k)
	{
		r.fail(fails[k]);
	}
	if (!warns.empty())
	{
		r.warn(std::to_string(warns.size()) + " display texts longer than 8 bytes, e.g. " + first_items(warns, 1));
	}
	r.note("display texts terminated at 0, 1 and random values");
}

// Restores the process locale when the check ends.
class LocaleGuard
{
public:
	LocaleGuard() : _saved(std::setlocale(LC_ALL, nullptr) != nullptr ? std::setlocale(LC_ALL, nullptr) : "C") {}
	~LocaleGuard() { std::setlocale(LC_ALL, _saved.c_str()); }

private:
	std::string _saved;
};

void check_locale(CheckContext &ctx, CheckReport &r)
{
	LocaleGuard guard;
	const char *german = nullptr;
	for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
	{
		if (std::setlocale(LC_ALL, name) != nullptr)
		{
			german = name;
			break;
		}
	}
	std::setlocale(LC_ALL, "C");
	if (german == nullptr)
	{
		r.skip("no German locale installed (locale-gen de_DE.UTF-8)");
		return;
	}
	auto p = make_instance_or_fail(ctx, r);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	const float values[] = {0.0f, 0.37f, 0.5f, 1.0f};
	auto collect = [&](std::vector<std::string> &out) {
		out.push_back(p->text(vst2::effGetProductString).text);
		out.push_back(p->text(vst2::effGetEffectName).text);
		for (int i = 0; i < np; ++i)
		{
			const float original = p->get_parameter(i);
			for (float v : values)
			{
				p->set_parameter(i, v);
				out.push_back(p->param_display(i));
			}
			p->set_parameter(i, original);
		}
	};
	std::vector<std::string> in_c;
	collect(in_c);
	std::setlocale(LC_ALL, german);
	std::vector<std::string> in_de;
	collect(in_de);
	// Scanning under the German locale: "0.5" must not read as 0 or 5.
	int scan_diffs = 0;
	std::string scan_example;
	for (int i = 0; i < np; ++i)
	{
		const float original = p->get_parameter(i);
		p->set_parameter(i, 0.37f);
		const std::string shown = p->param_display(i);
		std::vector<char> buf(shown.begin(), shown.end());
		buf.resize(shown.size() + 64, '\0');
		p->set_parameter(i, 1.0f);
		if (p->dispatch(vst2::effString2Parameter, i, 0, buf.data()) != 0 && p->param_display(i) != shown)
		{
			if (scan_diffs++ == 0)
			{
				scan_example = "parameter " + std::to_string(i) + " scans " + quote_text(shown) + " as " +
				               quote_text(p->param_display(i));
			}
		}
		p->set_parameter(i, original);
	}
	std::setlocale(LC_ALL, "C");
	int diffs = 0;
	std::string example;
	for (std::size_t k = 0; k < std::min(in_c.size(), in_de.size()); ++k)
	{
		if (in_c[k] != in_de[k])
		{
			if (diffs++ == 0)
			{
				example = quote_text(in_c[k]) + " became " + quote_text(in_de[k]);
			}
		}
	}
	if (diffs > 0)
	{
		r.fail(std::to_string(diffs) + " texts change under " + german + ", e.g. " + example);
	}
	if (scan_diffs > 0)
	{
		r.fail(std::to_string(scan_diffs) + " display texts scan differently under " + german + ", e.g. " + scan_example);
	}
	r.note(std::string("texts the same under ") + german + " as under \"C\"");
}

void check_properties(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r);
	if (!p)
	{
		return;
	}
	const int np = p->effect()->numParams;
	int answered = 0;
	std::vector<std::string> warns;
	for (int i = 0; i < np; ++i)
	{
		vst2::VstParameterProperties props;
		std::memset(&props, 0xA5, sizeof(props));
		if (p->dispatch(vst2::effGetParameterProperties, i, 0, &props) == 0)
		{
			continue;
		}
		++answered;
		const std::string w = "parameter " + std::to_string(i);
		if (memchr(props.label, 0, sizeof(props.label)) == nullptr)
		{
			r.fail(w + " properties label is not terminated within 64 bytes");
		}
		if ((props.flags & vst2::kVstParameterSupportsDisplayCategory) != 0 &&
		    memchr(props.categoryLabel, 0, sizeof(props.categoryLabel)) == nullptr)
		{
			r.fail(w + " category label is not terminated within 24 bytes");
		}
		if ((props.flags & ~0x7F) != 0)
		{
			warns.push_back(w + basic::c_format(" has unknown flag bits 0x%X", unsigned(props.flags)));
		}
		if ((props.flags & vst2::kVstParameterUsesIntegerMinMax) != 0 && props.minInteger > props.maxInteger)
		{
			r.fail(w + basic::c_format(" integer range %d to %d", props.minInteger, props.maxInteger));
		}
		bool future_touched = false;
		for (unsigned char c : props.future)
		{
			future_touched = future_touched || c != 0xA5;
		}
		if (future_touched)
		{
			warns.push_back(w + " wrote the reserved bytes at the end of VstParameterProperties");
		}
	}
	if (!warns.empty())
	{
		r.warn(std::to_string(warns.size()) + " problems, e.g. " + first_items(warns, 1));
	}
	if (answered == 0)
	{
		r.note("no parameter properties (hosts use defaults)");
		return;
	}
	r.note(std::to_string(answered) + " parameters describe their properties");
}

} // namespace

void add_parameter_checks(std::vector<Check> &c)
{
	c.push_back({"params.values", "0, 1, NaN, infinities and values outside [0, 1]", check_values});
	c.push_back({"params.indexes", "negative and large indexes", check_indexes});
	c.push_back({"params.string2parameter", "effString2Parameter with garbage, \"nan\" and long texts",
	             check_string2parameter});
	c.push_back({"params.display", "display texts always terminated", check_display});
	c.push_back({"params.locale", "texts under a German locale", check_locale});
	c.push_back({"params.properties", "parameter properties", check_properties});
}

} // namespace plughost
