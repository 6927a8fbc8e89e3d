// The subcommands of plughost. Each takes the arguments after its name and
// returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace plughost
{

int cmd_info(const std::vector<std::string> &args);
int cmd_render(const std::vector<std::string> &args);
int cmd_validate(const std::vector<std::string> &args);
int cmd_bench(const std::vector<std::string> &args);

} // namespace plughost
