// Runs the selected checks, each in a child process of its own by default,
// so a plug-in that crashes or hangs fails that check and the run goes on.
// Prints one line per check and the closing "N passed, N failed".
#pragma once

#include "tools/plughost/validate/Check.h"

#include <cstdio>
#include <string>
#include <vector>

namespace plughost
{

struct ValidateOptions
{
	std::string plugin_path;
	std::uint64_t seed = 1;
	int strictness = 5;
	std::vector<std::string> only; // names or group prefixes ("state", "params.values")
	std::vector<std::string> skip;
	bool fork = true;
	bool verbose = false;     // every message on lines of its own
	double timeout_s = 0.0;   // per check; 0: from the strictness
};

// True when the check's name is selected by the pattern: the full name, or
// its group ("entry" selects "entry.symbols").
bool name_matches(const std::string &name, const std::string &pattern);

// The checks options select, in running order; unknown patterns in err.
std::vector<const Check *> select_checks(const ValidateOptions &opt, std::string &err);

// Runs them; returns the number of failed checks.
int run_validation(const ValidateOptions &opt, std::FILE *out);

} // namespace plughost
