// A part of the MIDI set-up that needs the host binding itself (to set
// parameters or hand events to the host): it is given the adapter once
// during assembly.
#pragma once

namespace plegg
{

class Vst2Plugin;

class Vst2Component
{
public:
	virtual ~Vst2Component() = default;

	void set_plugin(Vst2Plugin &p)
	{
		plugin = &p;
		do_set_plugin(p);
	}
	Vst2Plugin *use_plugin() const { return plugin; }

protected:
	virtual void do_set_plugin(Vst2Plugin &p) { (void)p; }

private:
	Vst2Plugin *plugin = nullptr;
};

} // namespace plegg
