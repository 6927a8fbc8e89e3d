// "Cutoff Freq": the harmonic low-pass frequency, 40 to 10240 Hz, eight
// octaves (n = log2(v / 40) / 8). With `nfs` set the value is printed and
// typed as a note name ("A 5" is 440 Hz, "C 5" MIDI note 60).
#pragma once

#include <atomic>

#include "plegg/NormalizedParamInterface.h"

class ParamCutFreq : public plegg::NormalizedParamInterface
{
public:
	static constexpr double MIN_FREQ = 40.0;
	static constexpr double MAX_FREQ = 10240.0;
	// Longest note name: "D#10" and its terminator.
	static constexpr int NOTE_NAME_LEN = 5;

	ParamCutFreq();
	void get_name(char *buf, long max_len) const override;
	void get_unit(char *buf, long max_len) const override;
	double denormalize_val(float n) const override;
	float normalize_val(double v) const override;
	void do_print_val(char *buf, long max_len, double v) const override;
	double do_scan_val(const char *text, bool &ok) const override;

	// Note-name mode, switched from the editor.
	void set_nfs(bool flag) { nfs.store(flag, std::memory_order_relaxed); }
	bool get_nfs() const { return nfs.load(std::memory_order_relaxed); }

	// Frequency of a note name, or -1 when the text is not one.
	float scan_note(const char *text) const;
	// Note name of a frequency into buf (NOTE_NAME_LEN bytes at least).
	void print_note(double freq, char *buf) const;

	// Nearest semitone counted from 440 Hz.
	static int get_note(double freq);
	// Frequency of a MIDI-style note number (69 is 440 Hz).
	static double get_freq(int note);
	static float normalize(double freq);
	static double denormalize(float n);

private:
	static const char *const NOTE_NAME[12];

	std::atomic<bool> nfs{false};
};
