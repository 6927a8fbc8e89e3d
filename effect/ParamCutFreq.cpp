#include "effect/ParamCutFreq.h"

#include <cmath>
#include <cstring>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"
#include "effect/ParamText.h"

const char *const ParamCutFreq::NOTE_NAME[12] = {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};

namespace
{

// 12 log2(freq / 440), as the note laws form it.
double semitones_from_a440(double freq)
{
	return 12.0 * (std::log(freq * 0.0022727272727272726) * 1.4426950408889634);
}

// floor(s + 0.5) as an int, kept inside a sane range (NaN gives lo).
int round_clamped(double s, int lo, int hi)
{
	const double r = std::floor(s + 0.5);
	if (!(r >= (double)lo))
		return lo;
	if (r > (double)hi)
		return hi;
	return (int)r;
}

} // namespace

ParamCutFreq::ParamCutFreq()
{
	automation_priority = -1;
}

void ParamCutFreq::get_name(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Cutoff Freq", max_len);
}

void ParamCutFreq::get_unit(char *buf, long max_len) const
{
	basic::strncpy_0(buf, "Hz", max_len);
}

double ParamCutFreq::denormalize_val(float n) const
{
	return denormalize(n);
}

float ParamCutFreq::normalize_val(double v) const
{
	return normalize(v);
}

float ParamCutFreq::normalize(double freq)
{
	return (float)(std::log(freq * 0.025) * 0.18033688011112042);
}

double ParamCutFreq::denormalize(float n)
{
	return 40.0 * std::exp(((double)n * 8.0) * M_LN2);
}

int ParamCutFreq::get_note(double freq)
{
	return round_clamped(semitones_from_a440(freq), -10000, 10000);
}

double ParamCutFreq::get_freq(int note)
{
	return 440.0 * std::pow(2.0, (double)(note - 69) / 12.0);
}

void ParamCutFreq::do_print_val(char *buf, long max_len, double v) const
{
	if (get_nfs()) {
		char txt[NOTE_NAME_LEN];
		print_note(v, txt);
		basic::strncpy_0(buf, txt, max_len);
	} else if (v < 999.5) {
		ParamText::print_fixed5(buf, max_len, v);
	} else {
		ParamText::print_rounded_int(buf, max_len, v, 5);
	}
}

double ParamCutFreq::do_scan_val(const char *text, bool &ok) const
{
	if (get_nfs()) {
		const float f = scan_note(text);
		if (f < 0.0f)
			return MIN_FREQ;
		ok = true;
		return f;
	}
	return ParamText::scan_clamped(text, ok, MIN_FREQ, MAX_FREQ);
}

void ParamCutFreq::print_note(double freq, char *buf) const
{
	// Notes 0 to 131 (octaves 0 to 10) cover every frequency of the range
	// and keep the text within NOTE_NAME_LEN bytes.
	const int m = round_clamped(semitones_from_a440(freq), -69, 131 - 69) + 69;
	const int octave = m / 12;
	const int semitone = m - 12 * octave;
	basic::c_snprintf(buf, NOTE_NAME_LEN, "%s%d", NOTE_NAME[semitone], octave);
}

float ParamCutFreq::scan_note(const char *text) const
{
	if (text == nullptr)
		return -1.0f;
	// Only the first 15 characters count.
	char txt[16];
	basic::strncpy_0(txt, text, sizeof(txt));

	static const int LETTER_SEMITONE[7] = {9, 11, 0, 2, 4, 5, 7}; // A to G
	int semitone = -1;
	for (const char *p = txt; *p != '\0' && semitone < 0; ++p) {
		if (*p >= 'A' && *p <= 'G')
			semitone = LETTER_SEMITONE[*p - 'A'];
		else if (*p >= 'a' && *p <= 'g')
			semitone = LETTER_SEMITONE[*p - 'a'];
	}
	if (semitone < 0)
		return -1.0f;
	if (std::strchr(txt, '#') != nullptr)
		++semitone;

	const char *digit = txt;
	while (*digit != '\0' && !(*digit >= '0' && *digit <= '9'))
		++digit;
	if (*digit == '\0')
		return -1.0f;
	int octave = 0;
	for (; *digit >= '0' && *digit <= '9'; ++digit) {
		octave = octave * 10 + (*digit - '0');
		if (octave > 11)
			return -1.0f;
	}

	double freq = get_freq(semitone + 12 * octave);
	if (freq < MIN_FREQ)
		freq = MIN_FREQ;
	else if (freq > MAX_FREQ)
		freq = MAX_FREQ;
	return (float)freq;
}
