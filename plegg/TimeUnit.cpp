#include "plegg/TimeUnit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>

#include "basic/CLocale.h"
#include "basic/StrFnc.h"

namespace plegg
{

const char *const TimeUnit::UNIT_TXT[3] = {"s", "beat", "ms"};

double TimeUnit::convert_time(double seconds) const
{
	switch (unit)
	{
	case UNIT_BEATS:
		return convert_time_to_beats(seconds);
	case UNIT_MS:
		return seconds * 1000;
	default:
		return seconds;
	}
}

void TimeUnit::print_time(char *buf, double seconds, int max_len) const
{
	constexpr int WORK_LEN = 64;
	char work[WORK_LEN] = "";
	if (max_len >= WORK_LEN)
		max_len = WORK_LEN - 1;
	if (max_len < 0)
		max_len = 0;
	double v = convert_time(seconds);
	// Beats beyond what a whole number holds (or not a number) print plainly.
	if (unit != UNIT_BEATS || !(std::fabs(v) < 1e15))
		basic::c_snprintf(work, sizeof(work), "%g", v);
	else
	{
		v *= 1.00001;
		const long whole = static_cast<long>(std::floor(v));
		int used = 0;
		if (whole >= 1)
		{
			basic::c_snprintf(work, sizeof(work), "%ld", whole);
			used = static_cast<int>(std::strlen(work)) + 1;
		}
		const int room = max_len - used - 1;
		// Denominators go up to 256: more than 6 digits changes nothing.
		const int num_digits = std::min(room / 2, 6);
		const int den_digits = std::min(room - room / 2, 6);
		if (num_digits <= 0)
		{
			if (used > max_len)
				work[0] = '\0';
		}
		else
		{
			const long max_num = static_cast<long>(std::pow(10.0, num_digits)) - 1;
			const long max_den = static_cast<long>(std::pow(10.0, den_digits)) - 1;
			const double frac = v - static_cast<double>(whole);
			long best_num = 0;
			long best_den = 1;
			double best_err = 1;
			static const int dens[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 20, 24, 32, 48, 64, 96, 128, 192, 256};
			for (const int den : dens)
			{
				const long num = static_cast<long>(std::floor(frac * den + 0.5));
				if (num > max_num || den > max_den)
				{
					if (!(num * 10 <= max_num && den <= max_den * 10 + 9))
						break;
				}
				const double err = std::fabs(static_cast<double>(num) / den - frac);
				if (err < best_err)
				{
					if (max_num > 9 && den > 15 && num > 8)
						break;
					best_num = num;
					best_den = den;
					best_err = err;
				}
			}
			if (whole == 0 && best_num == 0)
				basic::c_snprintf(work, sizeof(work), "0");
			else if (best_num == best_den)
				basic::c_snprintf(work, sizeof(work), "%ld", whole + 1);
			else if (best_num > 0 && whole >= 1)
				basic::c_snprintf(work, sizeof(work), "%ld %ld/%ld", whole, best_num, best_den);
			else if (best_num > 0)
				basic::c_snprintf(work, sizeof(work), "%ld/%ld", best_num, best_den);
			else
				basic::c_snprintf(work, sizeof(work), "%ld", whole);
		}
	}
	basic::strncpy_0(buf, work, max_len + 1);
}

double TimeUnit::scan_time(const char *text, bool &ok) const
{
	ok = true;
	UnitType u = unit;
	const char *ms = nullptr;
	bool has_s = false;
	for (const char *p = text; *p != '\0'; ++p)
	{
		if ((p[0] == 'm' || p[0] == 'M') && (p[1] == 's' || p[1] == 'S'))
			ms = p;
		if (p[0] == 's' || p[0] == 'S')
			has_s = true;
	}
	if (ms != nullptr)
		u = UNIT_MS;
	else if (has_s)
		u = UNIT_S;
	switch (u)
	{
	case UNIT_S:
		return scan_time_s(text, ok);
	case UNIT_MS:
		return scan_time_ms(text, ok);
	default:
		return scan_time_beats(text, ok);
	}
}

double TimeUnit::scan_time_s(const char *text, bool &ok) const
{
	double v = 0;
	ok = basic::c_sscanf(text, "%lf", &v) == 1 && std::isfinite(v) && v >= 0;
	return v;
}

double TimeUnit::scan_time_ms(const char *text, bool &ok) const
{
	double v = 0;
	ok = basic::c_sscanf(text, "%lf", &v) == 1 && std::isfinite(v) && v >= 0;
	return v * 0.001;
}

double TimeUnit::scan_time_beats(const char *text, bool &ok) const
{
	double a = 0;
	double b = 0;
	double c = 0;
	char sep1[16] = "";
	char sep2[16] = "";
	const int n = basic::c_sscanf(text, "%lf%15[/ ]%lf%15[/ ]%lf", &a, sep1, &b, sep2, &c);
	ok = true;
	if (n >= 1 && a < 0)
		ok = false;
	if (n >= 3 && b < 0)
		ok = false;
	if (n >= 5 && c < 0)
		ok = false;
	double beats = 0;
	if (ok)
	{
		if (n == 1 || n == 2)
			beats = a;
		else if (n == 3 || n == 4)
		{
			if (std::fabs(b) < 1e-9)
				ok = false;
			else
				beats = a / b;
		}
		else if (n == 5)
		{
			if (std::fabs(c) < 1e-9)
				ok = false;
			else
				beats = a + b / c;
		}
		else
			ok = false;
	}
	if (ok && !std::isfinite(beats))
		ok = false;
	return ok ? beats * 60 / tempo : 0;
}

} // namespace plegg
