#include "plegg/ListenerBase.h"

#include "plegg/HostGuiInterface.h"
#include "plegg/NormalizedParamInterface.h"
#include "skane/ControlInterface.h"

namespace plegg
{

bool ListenerBase::can_num_val_be_changed(int priority)
{
	return _host == nullptr || _host->is_param_free(_param_index, priority);
}

bool ListenerBase::reserve_num_val(int priority)
{
	if (_host != nullptr)
		_host->reserve_param(_param_index, priority);
	return true;
}

void ListenerBase::release_num_val(int priority)
{
	if (_host != nullptr)
		_host->release_param(_param_index, priority);
}

double ListenerBase::change_num_val_user(double norm, int priority)
{
	if (_host != nullptr)
		_host->set_param(_param_index, static_cast<float>(norm), priority);
	return norm;
}

void ListenerBase::associate_param(int index, NormalizedParamInterface &param)
{
	_param_index = index;
	_param = &param;
}

void ListenerBase::update_display()
{
	if (_param != nullptr && get_ci_ptr() != nullptr)
		get_ci_ptr()->set_val_auto(_param->get_norm(), 1);
}

} // namespace plegg
