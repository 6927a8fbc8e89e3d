// Readable names for the numbers a plug-in reports.
#pragma once

#include "vst2/aeffect.h"

#include <string>

namespace plughost
{

std::string flags_text(vst2::int32 flags);
const char *category_text(vst2::intptr category);
// 'Abcd' when the four bytes are printable, with the hexadecimal value.
std::string four_cc_text(vst2::int32 id);
std::string pin_flags_text(vst2::int32 flags);
std::string param_flags_text(vst2::int32 flags);
const char *host_opcode_name(vst2::int32 opcode);

} // namespace plughost
