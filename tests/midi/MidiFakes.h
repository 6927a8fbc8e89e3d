// Stand-ins for the components around the MIDI classes: an engine with a
// few plain parameters, a receiver and plug-in commands that record what
// they get, and ports that record what passes through them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"
#include "plegg/MidiDevSelDispatcher.h"
#include "plegg/MidiInCcMixin.h"
#include "plegg/MidiMgr.h"
#include "plegg/MidiOut4BPacketMixin.h"
#include "plegg/MidiReceiverInterface.h"
#include "plegg/NormalizedParamInterface.h"
#include "plegg/PluginCmdInterface.h"
#include "tests/common/StubDsp.h"
#include "tests/midi/TempConfig.h"

namespace miditest
{

// A parameter from 0 to 1 named "Param <i>".
class FakeParam : public plegg::NormalizedParamInterface
{
public:
	explicit FakeParam(int i) : index(i) {}
	void get_name(char *buf, long max_len) const override { basic::strncpy_0(buf, ("Param " + std::to_string(index)).c_str(), max_len); }
	void get_unit(char *buf, long max_len) const override { basic::strncpy_0(buf, "", max_len); }
	double denormalize_val(float n) const override { return n; }
	float normalize_val(double v) const override { return static_cast<float>(v); }
	void do_print_val(char *buf, long max_len, double v) const override { basic::c_snprintf(buf, static_cast<unsigned long>(max_len), "%.3f", v); }
	double do_scan_val(const char *, bool &ok) const override
	{
		ok = false;
		return 0;
	}

private:
	int index;
};

class FakeDsp : public StubDsp
{
public:
	explicit FakeDsp(int n = 8)
	{
		for (int i = 0; i < n; ++i)
			params.push_back(std::make_unique<FakeParam>(i));
	}
	int get_nbr_param() const override { return static_cast<int>(params.size()); }
	plegg::NormalizedParamInterface &get_param_ref(int index) const override { return *params[static_cast<std::size_t>(index)]; }
	void send_scalar_msg(int id, float value) override { scalar_msgs.emplace_back(id, value); }

	std::vector<std::pair<int, float>> scalar_msgs;

private:
	std::vector<std::unique_ptr<FakeParam>> params;
};

// Every receiver call as a line of text, numbers in the "C" locale.
class RecordingReceiver : public plegg::MidiReceiverInterface
{
public:
	void do_set_time_stamp(long t) override { time_stamps.push_back(t); }
	int do_send_midi_note_on(int chn, int note, float pitch, float a, float velo, bool b) override
	{
		return add(basic::c_format("note_on %d %d %g %g %g %d", chn, note, pitch, a, velo, b ? 1 : 0));
	}
	int do_send_midi_note_off(int chn, int note, float velo) override { return add(basic::c_format("note_off %d %d %g", chn, note, velo)); }
	int do_send_midi_velo(int chn, int note, float velo) override { return add(basic::c_format("velo %d %d %g", chn, note, velo)); }
	int do_send_midi_pitch_bend(int chn, float st) override { return add(basic::c_format("bend %d %.9g", chn, st)); }
	int do_send_midi_program_change(int chn, long prog) override { return add(basic::c_format("program %d %ld", chn, prog)); }
	int do_send_midi_rpn(int chn, int id, long val) override { return add(basic::c_format("rpn %d %d %ld", chn, id, val)); }
	int do_send_midi_nrpn(int chn, int id, long val) override { return add(basic::c_format("nrpn %d %d %ld", chn, id, val)); }
	int do_send_midi_chn_cmd(int chn, int cmd, int d1, int d2) override { return add(basic::c_format("chn_cmd %d %d %d %d", chn, cmd, d1, d2)); }
	int do_send_midi_rt_cmd(int status) override { return add(basic::c_format("rt %d", status)); }
	int do_send_midi_common_cmd(int status, int d1, int d2) override { return add(basic::c_format("common %d %d %d", status, d1, d2)); }
	int do_send_midi_sys_ex(long len, const unsigned char *) override { return add(basic::c_format("sysex %ld", len)); }
	int do_send_midi_reset() override { return add("reset"); }

	std::vector<std::string> calls;
	std::vector<long> time_stamps;

private:
	int add(const std::string &s)
	{
		calls.push_back(s);
		return 0;
	}
};

class FakeCmd : public plegg::PluginCmdInterface
{
public:
	struct Set
	{
		long index;
		float norm;
		int priority;
	};
	bool is_param_free(int, int) override { return true; }
	void reserve_param(int, int) override {}
	void release_param(int, int) override {}
	bool set_param_pi(long index, float norm, int priority) override
	{
		sets.push_back({index, norm, priority});
		return true;
	}
	bool set_param_pi_and_host(long index, float norm, int priority) override { return set_param_pi(index, norm, priority); }
	void set_program_pi_and_host(const plegg::ProgramSlot &, int, bool, bool) override {}

	std::vector<Set> sets;
};

// An output port that keeps what it is asked to queue, up to `room` events.
class RecordingOut : public plegg::MidiOut4BPacketMixin
{
public:
	int connect() override
	{
		++nbr_connect;
		return connect_status;
	}
	int disconnect() override
	{
		++nbr_disconnect;
		return disconnect_status;
	}
	void process_pre() override { ++nbr_pre; }
	void process_post() override { ++nbr_post; }

	std::vector<std::array<int, 4>> events;
	std::size_t room = SIZE_MAX;
	int nbr_connect = 0;
	int nbr_disconnect = 0;
	std::atomic<int> nbr_pre{0};
	std::atomic<int> nbr_post{0};
	int connect_status = 0;
	int disconnect_status = 0;

protected:
	// Several threads may send at once.
	bool enqueue_event(int status, int d1, int d2, int extra) override
	{
		std::lock_guard<std::mutex> lock(mutex);
		++nbr_enqueue_calls;
		if (events.size() >= room)
			return false;
		events.push_back({status, d1, d2, extra});
		return true;
	}

public:
	int nbr_enqueue_calls = 0;

private:
	std::mutex mutex;
};

// An input port that keeps the controllers it is handed.
class RecordingIn : public plegg::MidiInCcMixin
{
public:
	int connect() override
	{
		++nbr_connect;
		return connect_status;
	}
	int disconnect() override
	{
		++nbr_disconnect;
		return disconnect_status;
	}
	void process_pre() override { ++nbr_pre; }
	void process_post() override { ++nbr_post; }

	std::vector<std::pair<long, int>> ctrls;
	int nbr_connect = 0;
	int nbr_disconnect = 0;
	std::atomic<int> nbr_pre{0};
	std::atomic<int> nbr_post{0};
	int connect_status = 0;
	int disconnect_status = 0;

protected:
	void do_reset_time_stamp(long) override {}
	void control_change_2_param(long ctrl_id, int value14) override { ctrls.emplace_back(ctrl_id, value14); }
};

// A manager wired to fakes, with the NRPN byte order chosen at construction
// (the class-wide default is restored afterwards).
struct MgrRig
{
	explicit MgrRig(plegg::PersistentMidiSettings::NrpnCompatibility c = plegg::PersistentMidiSettings::NrpnCompatibility_STANDARD, int nbr_param = 8)
	: dsp(nbr_param)
	, mgr(make_mgr(c))
	{
		mgr->connect_obj(rcv, dsp, disp, cmd);
	}

	static std::unique_ptr<plegg::MidiMgr> make_mgr(plegg::PersistentMidiSettings::NrpnCompatibility c)
	{
		const auto old = plegg::PersistentMidiSettings::get_default_compatibility();
		plegg::PersistentMidiSettings::set_default_compatibility(c);
		auto m = std::make_unique<plegg::MidiMgr>();
		plegg::PersistentMidiSettings::set_default_compatibility(old);
		return m;
	}

	FakeDsp dsp;
	RecordingReceiver rcv;
	FakeCmd cmd;
	plegg::MidiDevSelDispatcher disp;
	std::unique_ptr<plegg::MidiMgr> mgr;
};

} // namespace miditest
