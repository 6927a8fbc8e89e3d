// brastoke-bankgen: turns a readable bank source (program names and plain
// parameter values) into a "YURK" bank file, normalizing each value with the
// engine's own parameter objects.
//
//   brastoke-bankgen SOURCE.txt OUT.pbk [--check-defaults]
//
// --check-defaults fails unless program 0 equals the engine's default state.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "basic/CLocale.h"
#include "effect/VorluneDsp.h"
#include "plegg/BankManager.h"
#include "plegg/HostDspInterface.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/TimeInfo.h"
#include "plegg/YurkFileOp.h"

namespace
{

// The engine asks its host a few things during set-up; nobody is connected.
class OfflineHost : public plegg::HostDspInterface
{
public:
	int init() override { return 0; }
	double get_property(const char *) const override { return 0; }
	void get_time_info(plegg::TimeInfo &ti) const override { ti.no_info = true; }
	bool is_input_connected(int, int) const override { return true; }
	bool is_output_connected(int, int) const override { return true; }
	plegg::MidiMgr *use_midi_interface() override { return nullptr; }
};

std::string trim(const std::string &s)
{
	const std::size_t b = s.find_first_not_of(" \t\r");
	if (b == std::string::npos)
		return std::string();
	const std::size_t e = s.find_last_not_of(" \t\r");
	return s.substr(b, e - b + 1);
}

struct Parsed
{
	std::string name;
	std::vector<std::pair<std::string, std::string>> values;
	int line = 0;
};

bool parse(const char *path, std::vector<Parsed> &progs)
{
	std::ifstream f(path);
	if (!f)
	{
		std::fprintf(stderr, "bankgen: cannot read %s\n", path);
		return false;
	}
	std::string line;
	int n = 0;
	while (std::getline(f, line))
	{
		++n;
		const std::size_t hash = line.find('#');
		if (hash != std::string::npos)
			line.erase(hash);
		line = trim(line);
		if (line.empty())
			continue;
		if (line.rfind("program", 0) == 0)
		{
			const std::size_t q0 = line.find('"');
			const std::size_t q1 = line.rfind('"');
			if (q0 == std::string::npos || q1 <= q0)
			{
				std::fprintf(stderr, "%s:%d: expected program \"Name\"\n", path, n);
				return false;
			}
			progs.push_back({line.substr(q0 + 1, q1 - q0 - 1), {}, n});
			continue;
		}
		const std::size_t eq = line.find('=');
		if (eq == std::string::npos || progs.empty())
		{
			std::fprintf(stderr, "%s:%d: expected Name = value\n", path, n);
			return false;
		}
		progs.back().values.push_back({trim(line.substr(0, eq)), trim(line.substr(eq + 1))});
	}
	return true;
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 3)
	{
		std::fprintf(stderr, "usage: brastoke-bankgen SOURCE.txt OUT.pbk [--check-defaults]\n");
		return 2;
	}
	const bool check_defaults = argc > 3 && std::strcmp(argv[3], "--check-defaults") == 0;
	std::vector<Parsed> progs;
	if (!parse(argv[1], progs))
		return 1;
	if (progs.empty())
	{
		std::fprintf(stderr, "bankgen: %s holds no program\n", argv[1]);
		return 1;
	}

	OfflineHost host;
	auto dsp = std::make_unique<VorluneDsp>();
	dsp->set_host(host);
	dsp->init();
	dsp->set_default_state();
	plegg::ProgramSlot defaults;
	dsp->do_get_program(defaults);
	const int nbr_param = dsp->get_nbr_param();

	plegg::BankManager bank(static_cast<int>(progs.size()));
	for (std::size_t p = 0; p < progs.size(); ++p)
	{
		const Parsed &src = progs[p];
		if (src.name.size() > 22)
		{
			std::fprintf(stderr, "%s:%d: program name \"%s\" is longer than 22 characters\n", argv[1], src.line, src.name.c_str());
			return 1;
		}
		plegg::ProgramSlot slot = defaults;
		slot.set_name(src.name);
		for (const auto &[pname, text] : src.values)
		{
			int index = -1;
			for (int i = 0; i < nbr_param; ++i)
			{
				char buf[64];
				dsp->get_param_ref(i).get_name(buf, sizeof(buf));
				if (pname == buf)
					index = i;
			}
			if (index < 0)
			{
				std::fprintf(stderr, "%s: program \"%s\": unknown parameter \"%s\"\n", argv[1], src.name.c_str(), pname.c_str());
				return 1;
			}
			const plegg::NormalizedParamInterface &param = dsp->get_param_ref(index);
			bool ok = false;
			const double v = param.do_scan_val(text.c_str(), ok);
			if (!ok)
			{
				std::fprintf(stderr, "%s: program \"%s\": \"%s\" is not a value of \"%s\"\n", argv[1], src.name.c_str(), text.c_str(), pname.c_str());
				return 1;
			}
			slot.set_parameter(index, param.normalize_val(v));
		}
		bank[static_cast<int>(p)] = slot;
	}
	if (check_defaults)
	{
		for (int i = 0; i < nbr_param; ++i)
		{
			if (bank[0].get_parameter(i) != defaults.get_parameter(i))
			{
				char buf[64];
				dsp->get_param_ref(i).get_name(buf, sizeof(buf));
				std::fputs(basic::c_format("%s: program 0 differs from the engine's default for \"%s\" (%.9g, default %.9g)\n",
				                           argv[1], buf, bank[0].get_parameter(i), defaults.get_parameter(i))
				               .c_str(),
				           stderr);
				return 1;
			}
		}
	}
	const int status = plegg::YurkFileOp::save_bank(argv[2], bank);
	if (status != 0)
	{
		std::fprintf(stderr, "bankgen: cannot write %s (code %d)\n", argv[2], status);
		return 1;
	}
	return 0;
}
