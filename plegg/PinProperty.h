// One audio pin: a name and one name per channel.
#pragma once

#include <deque>
#include <string>

namespace plegg
{

class PinProperty
{
public:
	PinProperty() : PinProperty(1) {}
	explicit PinProperty(int nbr_chn) { set_nbr_chn(nbr_chn); }

	std::string get_name() const { return name; }
	void set_name(const std::string &n) { name = n; }
	int get_nbr_chn() const { return static_cast<int>(chn_names.size()); }
	// Grows with empty names or drops names from the end.
	void set_nbr_chn(int n) { chn_names.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }
	std::string get_chn_name(int chn) const { return chn_names[chn]; }
	void set_chn_name(int chn, const std::string &n) { chn_names[chn] = n; }

private:
	std::string name;
	std::deque<std::string> chn_names;
};

} // namespace plegg
