// The device selection of the plug-in: collects the device-selection
// components, numbers their devices into one list per direction in
// registration order, and routes a selection to the component that owns
// the chosen id.
#pragma once

#include <deque>

#include "plegg/MidiDevSelectorInterface.h"

namespace plegg
{

class MidiDevSelCompInterface;

class MidiDevSelDispatcher : public MidiDevSelectorInterface
{
public:
	// init on every component in order, stopping at the first failure.
	int init() override;
	int configure_dev_in() override;
	int configure_dev_out() override;

	// Appends the component (not owned) and tells it its dispatcher.
	void register_dev_list(MidiDevSelCompInterface &comp);
	// For components while they scan.
	void add_dev_in(const Properties &prop);
	void add_dev_out(const Properties &prop);
	bool is_initialised() const;

protected:
	int scan_dev_in() override;
	int scan_dev_out() override;
	int do_select_dev_in(int id, MidiInInterface *&port) override;
	int do_select_dev_out(int id, MidiOutInterface *&port) override;

private:
	std::deque<MidiDevSelCompInterface *> comp_list;
	bool initialised = false;
};

} // namespace plegg
