// Tempo snapshot asked of the host.
#pragma once

namespace plegg
{

class TimeInfo
{
public:
	TimeInfo() { clear(); }
	// Clears both flags; the tempo is left as it was.
	void clear()
	{
		no_info = false;
		tempo_flag = false;
	}

	double tempo = 120.0;
	// Set when the host gave no time information at all.
	bool no_info = false;
	// Set by the caller to ask for the tempo; cleared when it is not valid.
	bool tempo_flag = false;
};

} // namespace plegg
