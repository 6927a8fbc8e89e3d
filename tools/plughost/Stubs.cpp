#include "tools/plughost/Commands.h"
#include <cstdio>
namespace plughost
{
int cmd_bench(const std::vector<std::string> &) { std::fputs("not yet\n", stderr); return 2; }
}
