#include "tools/plughost/PluginInstance.h"

#include "tools/plughost/RtMonitor.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace plughost
{

std::unique_ptr<PluginInstance> PluginInstance::create(std::shared_ptr<PluginLibrary> lib, std::string &err,
                                                       const std::function<void(HostContext &)> &setup)
{
	std::unique_ptr<PluginInstance> inst(new PluginInstance);
	inst->_lib = std::move(lib);
	inst->_host = std::make_unique<HostContext>();
	if (setup)
	{
		setup(*inst->_host);
	}
	inst->_host->begin_entry();
	vst2::AEffect *e = inst->_lib->entry()(&HostContext::callback);
	inst->_host->end_entry();
	if (e == nullptr)
	{
		err = inst->_lib->path() + ": the entry function " + inst->_lib->entry_name() + " returned null";
		return nullptr;
	}
	if (e->magic != vst2::kEffectMagic)
	{
		err = inst->_lib->path() + ": the record returned has no VstP magic";
		return nullptr;
	}
	inst->_effect = e;
	inst->_host->attach(e);
	// Hosts keep their own pointer here; the plug-in must leave it alone.
	e->resvd1 = reinterpret_cast<vst2::intptr>(inst->_host.get());
	return inst;
}

PluginInstance::~PluginInstance()
{
	close();
}

vst2::intptr PluginInstance::dispatch(vst2::int32 opcode, vst2::int32 index, vst2::intptr value, void *ptr,
                                      float opt)
{
	if (_effect == nullptr || _closed)
	{
		return 0;
	}
	return _effect->dispatcher(_effect, opcode, index, value, ptr, opt);
}

void PluginInstance::open()
{
	if (!_opened)
	{
		dispatch(vst2::effOpen);
		_opened = true;
	}
}

void PluginInstance::set_sample_rate(double rate)
{
	_host->sample_rate = rate;
	dispatch(vst2::effSetSampleRate, 0, 0, nullptr, float(rate));
}

void PluginInstance::set_block_size(vst2::int32 frames)
{
	_host->block_size = frames;
	dispatch(vst2::effSetBlockSize, 0, frames);
}

void PluginInstance::resume()
{
	dispatch(vst2::effMainsChanged, 0, 1);
	_resumed = true;
}

void PluginInstance::suspend()
{
	dispatch(vst2::effMainsChanged, 0, 0);
	_resumed = false;
}

void PluginInstance::close()
{
	if (_effect == nullptr || _closed)
	{
		return;
	}
	if (_resumed)
	{
		suspend();
	}
	dispatch(vst2::effClose);
	_closed = true;
	_host->detach();
	_effect = nullptr;
}

bool PluginInstance::set_program(vst2::intptr index)
{
	if (index < 0 || index >= _effect->numPrograms)
	{
		return false;
	}
	dispatch(vst2::effBeginSetProgram);
	dispatch(vst2::effSetProgram, 0, index);
	dispatch(vst2::effEndSetProgram);
	return true;
}

vst2::intptr PluginInstance::program()
{
	return dispatch(vst2::effGetProgram);
}

GuardedText PluginInstance::text(vst2::int32 opcode, vst2::int32 index)
{
	return read_guarded([&](char *buf) { dispatch(opcode, index, 0, buf); });
}

int PluginInstance::find_param(const std::string &sel)
{
	const int n = _effect->numParams;
	if (!sel.empty() && std::all_of(sel.begin(), sel.end(), [](char c) { return std::isdigit((unsigned char)c); }))
	{
		const long i = std::strtol(sel.c_str(), nullptr, 10);
		return (i >= 0 && i < n && sel.size() < 10) ? int(i) : -1;
	}
	auto lower = [](std::string s) {
		for (auto &c : s)
		{
			c = char(std::tolower((unsigned char)c));
		}
		return s;
	};
	const std::string want = lower(sel);
	int loose = -1;
	for (int i = 0; i < n; ++i)
	{
		const std::string name = param_name(i);
		if (name == sel)
		{
			return i;
		}
		if (loose < 0 && lower(name) == want)
		{
			loose = i;
		}
	}
	return loose;
}

void PluginInstance::set_parameter_audio(vst2::int32 index, float value)
{
	RtScope rt;
	_effect->setParameter(_effect, index, value);
}

float PluginInstance::get_parameter_audio(vst2::int32 index)
{
	RtScope rt;
	return _effect->getParameter(_effect, index);
}

void PluginInstance::process_audio(float **in, float **out, vst2::int32 frames, ProcessForm form)
{
	RtScope rt;
	if (form == ProcessForm::Replacing)
	{
		_effect->processReplacing(_effect, in, out, frames);
	}
	else
	{
		_effect->process(_effect, in, out, frames);
	}
}

vst2::intptr PluginInstance::process_events_audio(vst2::VstEvents *ev)
{
	RtScope rt;
	return _effect->dispatcher(_effect, vst2::effProcessEvents, 0, 0, ev, 0.0f);
}

void PluginInstance::set_parameter(vst2::int32 index, float value)
{
	_effect->setParameter(_effect, index, value);
}

float PluginInstance::get_parameter(vst2::int32 index)
{
	return _effect->getParameter(_effect, index);
}

bool PluginInstance::can_replacing() const
{
	return (_effect->flags & vst2::effFlagsCanReplacing) != 0 && _effect->processReplacing != nullptr;
}

} // namespace plughost
