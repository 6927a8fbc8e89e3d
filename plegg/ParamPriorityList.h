// One priority record per parameter, index = parameter index. The size is set
// during assembly and never changes while the plug-in runs.
#pragma once

#include <vector>

#include "plegg/ParamPriority.h"

namespace plegg
{

class ParamPriorityList
{
public:
	void set_nbr_param(int n);
	int get_nbr_param() const { return static_cast<int>(list.size()); }
	bool get(int index, double now, int priority) { return list[index].get(now, priority); }
	bool is_free(int index, double now, int priority) const { return list[index].is_free(now, priority); }
	void release(int index, int priority) { list[index].release(priority); }
	void release_all();
	void set_ttl(double seconds);
	const ParamPriority &operator[](int index) const { return list[index]; }

private:
	std::vector<ParamPriority> list;
};

} // namespace plegg
