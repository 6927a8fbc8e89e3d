// Device-selection components for tests: one whose ports are members (as
// the host's), one that makes a new port object at each selection and
// disposes of the old one (as the platform's), counting the live ports.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "plegg/MidiDevSelCompInterface.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "tests/midi/MidiFakes.h"

namespace miditest
{

class StaticComp : public plegg::MidiDevSelCompInterface
{
public:
	StaticComp(std::vector<std::string> ins, std::vector<std::string> outs) : names_in(std::move(ins)), names_out(std::move(outs)) {}

	RecordingIn in;
	RecordingOut out;
	int init_status = 0;
	int nbr_remove_in = 0;

	int init() override { return init_status; }

protected:
	int do_configure_dev_in(int) override { return 0; }
	int do_configure_dev_out(int) override { return 0; }
	int do_scan_dev_in(int) override
	{
		for (const auto &n : names_in)
			use_dispatcher()->add_dev_in({n, false});
		return 0;
	}
	int do_scan_dev_out(int) override
	{
		for (const auto &n : names_out)
			use_dispatcher()->add_dev_out({n, false});
		return 0;
	}
	int do_select_dev_in(int, plegg::MidiInInterface *&port) override
	{
		port = &in;
		return 0;
	}
	int do_select_dev_out(int, plegg::MidiOutInterface *&port) override
	{
		port = &out;
		return 0;
	}
	int do_remove_dev_in() override
	{
		++nbr_remove_in;
		return 0;
	}
	int do_remove_dev_out() override { return 0; }

private:
	std::vector<std::string> names_in;
	std::vector<std::string> names_out;
};

// A port that counts live objects of its kind and can hold a process call
// until released.
class CountedIn : public RecordingIn
{
public:
	explicit CountedIn(std::atomic<int> &live) : alive(live) { ++alive; }
	~CountedIn() override { --alive; }
	void process_pre() override
	{
		entered = true;
		while (hold.load())
		{
		}
		RecordingIn::process_pre();
	}
	std::atomic<bool> hold{false};
	std::atomic<bool> entered{false};

private:
	std::atomic<int> &alive;
};

class CountedOut : public RecordingOut
{
public:
	explicit CountedOut(std::atomic<int> &live) : alive(live) { ++alive; }
	~CountedOut() override { --alive; }

private:
	std::atomic<int> &alive;
};

class DynComp : public plegg::MidiDevSelCompInterface
{
public:
	// Whatever is still selected when the test ends.
	~DynComp() override
	{
		delete cur_in;
		delete cur_out;
	}

	std::atomic<int> live_in{0};
	std::atomic<int> live_out{0};
	CountedIn *cur_in = nullptr;
	CountedOut *cur_out = nullptr;
	int nbr_created_in = 0;

protected:
	int do_configure_dev_in(int) override { return 0; }
	int do_configure_dev_out(int) override { return 0; }
	int do_scan_dev_in(int) override
	{
		use_dispatcher()->add_dev_in({"built-in MIDI In interface", false});
		return 0;
	}
	int do_scan_dev_out(int) override
	{
		use_dispatcher()->add_dev_out({"built-in MIDI Out interface", false});
		return 0;
	}
	int do_select_dev_in(int, plegg::MidiInInterface *&port) override
	{
		do_remove_dev_in();
		cur_in = new CountedIn(live_in);
		++nbr_created_in;
		cur_in->set_midi_mgr(*use_dispatcher()->use_midi_mgr());
		port = cur_in;
		return 0;
	}
	int do_select_dev_out(int, plegg::MidiOutInterface *&port) override
	{
		do_remove_dev_out();
		cur_out = new CountedOut(live_out);
		cur_out->set_midi_mgr(*use_dispatcher()->use_midi_mgr());
		port = cur_out;
		return 0;
	}
	int do_remove_dev_in() override
	{
		if (cur_in != nullptr)
			dispose_port(std::unique_ptr<plegg::MidiDevInterface>(cur_in));
		cur_in = nullptr;
		return 0;
	}
	int do_remove_dev_out() override
	{
		if (cur_out != nullptr)
			dispose_port(std::unique_ptr<plegg::MidiDevInterface>(cur_out));
		cur_out = nullptr;
		return 0;
	}
};

} // namespace miditest
