// A provider of MIDI devices for the device selection: it adds its devices
// to the dispatcher's lists while scanning, remembers the range of ids they
// got, and makes the port of a chosen device.
//
// A component never deletes a port it handed out: it gives it to
// dispose_port, which lets the MIDI manager delete it once no audio block
// or send is using it.
#pragma once

#include <memory>

namespace plegg
{

class MidiDevInterface;
class MidiDevSelDispatcher;
class MidiInInterface;
class MidiOutInterface;

class MidiDevSelCompInterface
{
public:
	MidiDevSelCompInterface() = default;
	MidiDevSelCompInterface(const MidiDevSelCompInterface &) = delete;
	MidiDevSelCompInterface &operator=(const MidiDevSelCompInterface &) = delete;
	virtual ~MidiDevSelCompInterface() = default;

	virtual int init() { return 0; }

	void register_ack(MidiDevSelDispatcher &d) { dispatcher = &d; }
	MidiDevSelDispatcher *use_dispatcher() const { return dispatcher; }
	int get_start_id_in() const { return start_id_in; }
	int get_nbr_dev_in() const { return nbr_dev_in; }
	int get_start_id_out() const { return start_id_out; }
	int get_nbr_dev_out() const { return nbr_dev_out; }

	// Adds this component's devices, whose ids start at first.
	int scan_dev_in(int first);
	int scan_dev_out(int first);
	// Act only when id is one of this component's; 0 otherwise.
	int configure_dev_in(int id);
	int configure_dev_out(int id);
	// For one of its own ids, makes the port (left unchanged otherwise);
	// for any other id, drops the port it made earlier.
	int select_dev_in(int id, MidiInInterface *&port);
	int select_dev_out(int id, MidiOutInterface *&port);

protected:
	virtual int do_configure_dev_in(int id) = 0;
	virtual int do_configure_dev_out(int id) = 0;
	virtual int do_scan_dev_in(int first) = 0;
	virtual int do_scan_dev_out(int first) = 0;
	virtual int do_select_dev_in(int id, MidiInInterface *&port) = 0;
	virtual int do_select_dev_out(int id, MidiOutInterface *&port) = 0;
	virtual int do_remove_dev_in() = 0;
	virtual int do_remove_dev_out() = 0;

	// Deletes a port this component made, once nothing uses it.
	void dispose_port(std::unique_ptr<MidiDevInterface> port);

private:
	bool owns_in(int id) const { return start_id_in >= 0 && id >= start_id_in && id < start_id_in + nbr_dev_in; }
	bool owns_out(int id) const { return start_id_out >= 0 && id >= start_id_out && id < start_id_out + nbr_dev_out; }

	MidiDevSelDispatcher *dispatcher = nullptr;
	int start_id_in = -1;
	int nbr_dev_in = 0;
	int start_id_out = -1;
	int nbr_dev_out = 0;
};

} // namespace plegg
