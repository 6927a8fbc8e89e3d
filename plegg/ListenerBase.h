// Binds one editor control to one parameter through the editor's host
// services: the control's permission checks, reservations and user changes
// go to the host binding's arbitration for param_index.
#pragma once

#include "skane/DefaultEventListener.h"

namespace plegg
{

class HostGuiInterface;
class MetaControlList;
class NormalizedParamInterface;

class ListenerBase : public skane::DefaultEventListener
{
public:
	bool can_num_val_be_changed(int priority) override;
	bool reserve_num_val(int priority) override;
	void release_num_val(int priority) override;
	// Sets the parameter through the host services; returns norm unchanged.
	double change_num_val_user(double norm, int priority) override;

	virtual HostGuiInterface *get_host() const { return _host; }
	virtual void set_host(HostGuiInterface &host) { _host = &host; }
	virtual void associate_param(int index, NormalizedParamInterface &param);
	// The associated parameter (associate_param must have run).
	virtual const NormalizedParamInterface &use_param() const { return *_param; }
	virtual NormalizedParamInterface &use_param() { return *_param; }
	// Puts the control at the parameter's value through its automatic
	// path, so no user change is reported back.
	virtual void update_display();

	int get_param_index() const { return _param_index; }
	NormalizedParamInterface *get_param_ptr() const { return _param; }
	void set_meta_list(MetaControlList &list) { _meta_list = &list; }
	MetaControlList *use_meta_list() const { return _meta_list; }

private:
	MetaControlList *_meta_list = nullptr;
	HostGuiInterface *_host = nullptr;
	int _param_index = -1;
	NormalizedParamInterface *_param = nullptr;
};

} // namespace plegg
