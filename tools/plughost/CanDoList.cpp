#include "tools/plughost/CanDoList.h"

namespace plughost
{

const char *const kPlugCanDos[] = {
	"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents", "receiveVstMidiEvent",
	"receiveVstTimeInfo", "offline", "plugAsChannelInsert", "plugAsSend", "mixDryWet", "noRealTime",
	"multipass", "metapass", "1in1out", "1in2out", "2in1out", "2in2out", "2in4out", "4in2out", "4in4out",
	"4in8out", "8in4out", "8in8out", "midiProgramNames", "conformsToWindowRules", "bypass",
	"midiKeyBasedInstrumentControl", "midiSingleNoteTuningChange",
};
const int kNbrPlugCanDos = int(sizeof(kPlugCanDos) / sizeof(kPlugCanDos[0]));

const char *can_do_answer_text(long answer)
{
	return answer > 0 ? "yes" : answer < 0 ? "no" : "don't know";
}

} // namespace plughost
