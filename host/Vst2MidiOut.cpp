#include "host/Vst2MidiOut.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

#include "host/Vst2Plugin.h"

namespace plegg
{

void Vst2MidiOut::MidiOutBuffer::init(int capacity)
{
	events.resize(capacity);
	std::memset(&events[0], 0, sizeof(vst2::VstMidiEvent) * static_cast<std::size_t>(capacity));
	event_list_size = vst2::vst_events_size(static_cast<std::size_t>(capacity));
	const std::size_t words = (event_list_size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
	event_list.reset(new std::uint64_t[words]());
	new (event_list.get()) vst2::VstEvents{};
}

int Vst2MidiOut::init()
{
	const int ret = MidiOut4BPacketMixin::init();
	if (ret != 0 || ready.load(std::memory_order_acquire))
		return ret;
	for (MidiOutBuffer &b : buffers)
		b.init(CAPACITY);
	state.store(0, std::memory_order_relaxed);
	ready.store(true, std::memory_order_release);
	return 0;
}

int Vst2MidiOut::connect()
{
	connected.store(true, std::memory_order_release);
	return 0;
}

int Vst2MidiOut::disconnect()
{
	connected.store(false, std::memory_order_release);
	return 0;
}

bool Vst2MidiOut::enqueue_event(int status, int data1, int data2, int extra)
{
	const Event ev = {status, data1, data2, extra};
	return enqueue_message(&ev, 1);
}

bool Vst2MidiOut::enqueue_message(const Event *ev, int nbr)
{
	if (nbr <= 0 || !ready.load(std::memory_order_acquire))
		return false;
	std::uint32_t w = state.load(std::memory_order_acquire);
	int got = 0;
	while (true)
	{
		got = std::min(nbr, CAPACITY - static_cast<int>(w & COUNT_MASK));
		if (got <= 0)
			return false;
		const std::uint32_t nw = w + static_cast<std::uint32_t>(got) + PENDING_ONE;
		if (state.compare_exchange_weak(w, nw, std::memory_order_acq_rel, std::memory_order_acquire))
			break;
	}
	MidiOutBuffer &b = buffers[(w & CUR_BIT) != 0 ? 1 : 0];
	// The pointer array runs past the record's declared two entries.
	auto **slots = vst2::event_slots(b.get_events());
	const int first = static_cast<int>(w & COUNT_MASK);
	for (int i = 0; i < got; ++i)
	{
		vst2::VstMidiEvent &e = b.use_event(first + i);
		std::memset(&e, 0, sizeof(e));
		e.type = vst2::kVstMidiType;
		e.byteSize = sizeof(vst2::VstMidiEvent);
		e.deltaFrames = 0;
		e.midiData[0] = static_cast<char>(ev[i].status);
		e.midiData[1] = static_cast<char>(ev[i].data1);
		e.midiData[2] = static_cast<char>(ev[i].data2);
		e.midiData[3] = static_cast<char>(ev[i].extra);
		slots[first + i] = reinterpret_cast<vst2::VstEvent *>(&e);
	}
	state.fetch_sub(PENDING_ONE, std::memory_order_release);
	return got == nbr;
}

void Vst2MidiOut::process_pre()
{
	if (!connected.load(std::memory_order_acquire))
		return;
	Vst2Plugin *plugin = use_plugin();
	if (plugin == nullptr)
		return;
	std::uint32_t w = state.load(std::memory_order_acquire);
	while (true)
	{
		// Nothing queued, or a writer is still copying: next block.
		if ((w & COUNT_MASK) == 0 || (w & PENDING_MASK) != 0)
			return;
		const std::uint32_t nw = (w & CUR_BIT) ^ CUR_BIT;
		if (state.compare_exchange_weak(w, nw, std::memory_order_acq_rel, std::memory_order_acquire))
			break;
	}
	vst2::VstEvents *list = buffers[(w & CUR_BIT) != 0 ? 1 : 0].get_events();
	list->numEvents = static_cast<vst2::int32>(w & COUNT_MASK);
	list->reserved = 0;
	plugin->sendVstEventsToHost(list);
}

} // namespace plegg
