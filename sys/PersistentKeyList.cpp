#include "sys/PersistentKeyList.h"

#include "sys/PersistentKeyListImpl.h"

namespace sys
{

const char gen_file_name[] = "PersistentKeys";

PersistentKeyList::PersistentKeyList(const std::string &list_name, bool create)
:	_impl(std::make_unique<PersistentKeyListImpl>(list_name, create))
{
}

// Every set_key already replaced the file on disk: nothing is left to flush.
PersistentKeyList::~PersistentKeyList() = default;

int PersistentKeyList::get_key(const std::string &key, std::string &value) const
{
	return _impl->get_key(key, value);
}

int PersistentKeyList::set_key(const std::string &key, const std::string &value, int max_wait_ms)
{
	return _impl->set_key(key, value, max_wait_ms);
}

const std::string &PersistentKeyList::get_folder() const
{
	return _impl->get_folder();
}

} // namespace sys
