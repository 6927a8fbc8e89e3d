#include "plegg/ParamPriorityList.h"

namespace plegg
{

void ParamPriorityList::set_nbr_param(int n)
{
	list.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
}

void ParamPriorityList::release_all()
{
	for (auto &p : list)
		p.release();
}

void ParamPriorityList::set_ttl(double seconds)
{
	for (auto &p : list)
		p.set_ttl(seconds);
}

} // namespace plegg
