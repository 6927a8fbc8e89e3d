// One validator check: a name ("group.check"), what it verifies, and the
// function that runs it. A check reports through a CheckReport; anything it
// does not report as a failure passes.
#pragma once

#include "tools/plughost/PluginLibrary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost
{

class CheckReport
{
public:
	virtual ~CheckReport() = default;
	virtual void fail(const std::string &msg) = 0;
	virtual void warn(const std::string &msg) = 0;
	virtual void note(const std::string &msg) = 0;
	// The check does not apply to this plug-in.
	virtual void skip(const std::string &why) = 0;
	virtual int nbr_failures() const = 0;
};

struct CheckContext
{
	std::shared_ptr<PluginLibrary> lib;
	std::uint64_t seed = 1;
	int strictness = 5; // 1..10: higher runs longer and looks closer

	// Scales a base count by the strictness (strictness 5 gives base).
	long scaled(long base) const;
};

using CheckFn = void (*)(CheckContext &ctx, CheckReport &report);

struct Check
{
	const char *name;
	const char *what;
	CheckFn run;
};

// Each group adds its checks in the order they run.
void add_entry_checks(std::vector<Check> &checks);
void add_program_checks(std::vector<Check> &checks);
void add_processing_checks(std::vector<Check> &checks);
void add_automation_checks(std::vector<Check> &checks);
void add_parameter_checks(std::vector<Check> &checks);
void add_state_checks(std::vector<Check> &checks);
void add_thread_checks(std::vector<Check> &checks);
void add_lifecycle_checks(std::vector<Check> &checks);
void add_realtime_checks(std::vector<Check> &checks);
void add_midi_checks(std::vector<Check> &checks);

// Every check, in running order.
const std::vector<Check> &all_checks();

} // namespace plughost
