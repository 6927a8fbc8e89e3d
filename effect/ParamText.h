// Text forms shared by the effect's parameters: values printed in a few
// characters and numbers scanned and clamped to a range. Always "C" locale.
#pragma once

class ParamText
{
public:
	// "%f", cut (not rounded) to its first 5 characters: 2.999999 -> "2.999".
	static void print_fixed5(char *buf, long max_len, double v);
	// floor(v + 0.5) with "%d", cut to max_chars characters.
	static void print_rounded_int(char *buf, long max_len, double v, int max_chars);
	// One finite number with "%lf" (leading blanks skipped, trailing text
	// ignored), clamped to [lo, hi]. On failure ok is left as it was.
	static double scan_clamped(const char *text, bool &ok, double lo, double hi);
	// Case-insensitive search of needle in text.
	static bool contains_no_case(const char *text, const char *needle);
};
