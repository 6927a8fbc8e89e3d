#include "plegg/MetaControl.h"

#include "plegg/ListenerBase.h"
#include "plegg/NormalizedParamInterface.h"
#include "skane/ControlInterface.h"

namespace plegg
{

void MetaControl::connect(skane::ControlInterface &control, ListenerBase &listener)
{
	_control = &control;
	_listener = &listener;
	for (int i = 0; i < control.get_nbr_listeners(); ++i)
		if (control.get_listener(i) == &listener)
			return;
	control.push_back_listener(&listener);
}

NormalizedParamInterface *MetaControl::use_param() const
{
	return _listener != nullptr ? _listener->get_param_ptr() : nullptr;
}

void MetaControl::update_param()
{
	NormalizedParamInterface *param = use_param();
	if (_control != nullptr && param != nullptr)
		_control->set_val_auto(param->get_norm(), 1);
}

void MetaControl::set_param(double norm, int flag)
{
	if (_control != nullptr)
		_control->set_val_auto(norm, flag);
}

} // namespace plegg
