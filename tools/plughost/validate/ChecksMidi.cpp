// MIDI check: random VST MIDI events (channel messages, controllers in
// NRPN and RPN sequences, system bytes, out-of-range offsets) sent with
// effProcessEvents before short process calls on the audio thread. Output
// must stay clean and every parameter within [0, 1].
#include "tools/plughost/validate/GuardedBuffers.h"

#include "basic/CLocale.h"

#include <cstring>
#include <vector>

namespace plughost
{

namespace
{

bool wants_midi(PluginInstance &p)
{
	for (const char *t : {"receiveVstEvents", "receiveVstMidiEvent"})
		if (p.dispatch(vst2::effCanDo, 0, 0, const_cast<char *>(t)) == 1)
			return true;
	return false;
}

// One event: mostly controllers (the NRPN/RPN/data-entry numbers most often),
// then any channel message, then arbitrary bytes.
void random_event(Rng &rng, vst2::VstMidiEvent &e, int frames)
{
	std::memset(&e, 0, sizeof(e));
	e.type = vst2::kVstMidiType;
	e.byteSize = sizeof(vst2::VstMidiEvent);
	// Offsets outside the block happen in the wild.
	e.deltaFrames = rng.range(0, 20) == 0 ? int(rng.range(-5, frames + 5)) : int(rng.range(0, frames - 1));
	const long kind = rng.range(0, 9);
	static const int ctl[] = {99, 98, 6, 38, 101, 100, 96, 97, 74, 7, 0, 32};
	if (kind < 6)
	{
		e.midiData[0] = char(0xB0 | rng.range(0, 15));
		e.midiData[1] = char(ctl[rng.range(0, 11)]);
		e.midiData[2] = char(rng.range(0, 127));
	}
	else if (kind < 9)
	{
		e.midiData[0] = char(0x80 | rng.range(0, 0x7F));
		e.midiData[1] = char(rng.range(0, 127));
		e.midiData[2] = char(rng.range(0, 127));
	}
	else
	{
		for (int i = 0; i < 4; ++i)
			e.midiData[i] = char(rng.range(0, 255));
	}
}

void check_events(CheckContext &ctx, CheckReport &r)
{
	auto p = make_instance_or_fail(ctx, r, 44100, 256);
	if (!p)
	{
		return;
	}
	if (!wants_midi(*p))
	{
		r.skip("the plug-in takes no MIDI (receiveVstEvents is not 1)");
		return;
	}
	Rng rng(ctx.seed);
	constexpr int kMaxEvents = 64;
	std::vector<vst2::VstMidiEvent> events(kMaxEvents);
	std::vector<unsigned char> block(vst2::vst_events_size(kMaxEvents), 0);
	auto *ev = reinterpret_cast<vst2::VstEvents *>(block.data());
	GuardedBuffers buf(p->effect()->numInputs, p->effect()->numOutputs, 256);
	const int np = p->effect()->numParams;
	const long calls = ctx.scaled(400);
	long sent = 0;
	for (long k = 0; k < calls; ++k)
	{
		const int frames = int(rng.range(1, 256));
		const int n = int(rng.range(0, kMaxEvents));
		ev->numEvents = n;
		for (int i = 0; i < n; ++i)
		{
			random_event(rng, events[i], frames);
			vst2::event_slots(ev)[i] = reinterpret_cast<vst2::VstEvent *>(&events[i]);
		}
		p->process_events_audio(ev);
		sent += n;
		buf.prepare(rng, frames);
		buf.process(*p, frames, ProcessForm::Replacing);
		OutputScan scan;
		const auto problems = buf.inspect(frames, scan);
		if (!problems.empty() || !scan.clean())
		{
			r.fail(basic::c_format("call %ld after %d events: ", k, n) +
			       (problems.empty() ? scan.describe() : problems.front()));
			return;
		}
		for (int i = 0; i < np; ++i)
		{
			const float v = p->get_parameter_audio(i);
			if (!(v >= 0.0f && v <= 1.0f))
			{
				r.fail(basic::c_format("parameter %d reads %g after MIDI", i, double(v)));
				return;
			}
		}
	}
	r.note(basic::c_format("%ld random MIDI events in %ld process calls: clean", sent, calls));
}

} // namespace

void add_midi_checks(std::vector<Check> &c)
{
	c.push_back({"midi.events", "random VST MIDI events before process calls", check_events});
}

} // namespace plughost
