// Times shown and typed in seconds, milliseconds or beats at a tempo.
#pragma once

namespace plegg
{

class TimeUnit
{
public:
	enum UnitType
	{
		UNIT_S = 0,
		UNIT_BEATS = 1,
		UNIT_MS = 2,
	};
	static const char *const UNIT_TXT[3];

	UnitType get_unit() const { return unit; }
	void set_unit(UnitType u) { unit = u; }
	const char *get_unit_txt_0() const { return UNIT_TXT[unit]; }
	double get_tempo() const { return tempo; }
	void set_tempo(double bpm) { tempo = bpm; }

	double convert_time_to_beats(double seconds) const { return seconds * tempo / 60; }
	double convert_beats_to_time(double beats) const { return beats * 60 / tempo; }
	double convert_time(double seconds) const;

	// At most max_len characters (max_len < 64) plus the terminator.
	void print_time(char *buf, double seconds, int max_len) const;
	// Seconds; "ms" anywhere in the text selects milliseconds, otherwise an
	// "s" selects seconds, otherwise the current unit applies.
	double scan_time(const char *text, bool &ok) const;
	double scan_time_s(const char *text, bool &ok) const;
	double scan_time_ms(const char *text, bool &ok) const;
	double scan_time_beats(const char *text, bool &ok) const;

private:
	UnitType unit = UNIT_MS;
	double tempo = 120;
};

} // namespace plegg
