// The plug-in can-do vocabulary of the VST 2.4 SDK (effCanDo texts).
#pragma once

namespace plughost
{

extern const char *const kPlugCanDos[];
extern const int kNbrPlugCanDos;

// "yes", "no" or "don't know" for an effCanDo answer (1, -1, 0).
const char *can_do_answer_text(long answer);

} // namespace plughost
