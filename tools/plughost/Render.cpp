#include "tools/plughost/Render.h"

#include "tools/plughost/ProcessBuffers.h"

#include <algorithm>
#include <cmath>

namespace plughost
{

namespace
{

// Copies frames [pos, pos + n) of the source into the buffers of the used
// channels (zeros past the end); a source with more channels than used is
// mixed down to one used channel, one with fewer repeats its last channel.
void fill_from(const AudioData *src, float *const *dst, int nbr_used, long pos, long n)
{
	const int fc = src != nullptr ? int(src->channels.size()) : 0;
	const long len = src != nullptr ? src->frames() : 0;
	const long avail = std::clamp(len - pos, 0L, n);
	for (int c = 0; c < nbr_used; ++c)
	{
		float *d = dst[c];
		if (fc == 0)
		{
			std::fill(d, d + n, 0.0f);
			continue;
		}
		if (nbr_used == 1 && fc > 1)
		{
			for (long i = 0; i < avail; ++i)
			{
				float sum = 0.0f;
				for (int k = 0; k < fc; ++k)
				{
					sum += src->channels[std::size_t(k)][std::size_t(pos + i)];
				}
				d[i] = sum / float(fc);
			}
		}
		else
		{
			const auto &ch = src->channels[std::size_t(std::min(c, fc - 1))];
			std::copy(ch.begin() + pos, ch.begin() + pos + avail, d);
		}
		std::fill(d + avail, d + n, 0.0f);
	}
}

} // namespace

void RenderConfig::configure_host(HostContext &h) const
{
	h.sample_rate = sample_rate;
	h.block_size = vst2::int32(blocks.max_block());
	h.tempo = tempo;
	h.connected_inputs = connected_inputs;
	h.connected_outputs = connected_outputs;
	h.form = form;
	h.audio_process_level = offline ? 4 : 2;
}

int used_outputs(const vst2::AEffect &e, const RenderConfig &cfg)
{
	return std::min(e.numOutputs, cfg.connected_outputs);
}

int used_inputs(const vst2::AEffect &e, const RenderConfig &cfg)
{
	return std::min(e.numInputs, cfg.connected_inputs);
}

bool prepare_instance(PluginInstance &p, const RenderConfig &cfg, std::string &err)
{
	cfg.configure_host(p.host());
	p.open();
	p.set_sample_rate(cfg.sample_rate);
	p.set_block_size(vst2::int32(cfg.blocks.max_block()));
	auto program_and_params = [&]() {
		if (cfg.program >= 0 && !p.set_program(cfg.program))
		{
			err = "no program " + std::to_string(cfg.program);
			return false;
		}
		for (const auto &s : cfg.params)
		{
			if (!apply_param(p, s, err))
			{
				return false;
			}
		}
		return true;
	};
	if (cfg.apply_before_resume && !program_and_params())
	{
		return false;
	}
	p.resume();
	p.dispatch(vst2::effStartProcess);
	if (!cfg.apply_before_resume && !program_and_params())
	{
		return false;
	}
	return true;
}

bool render(PluginInstance &p, RenderConfig cfg, RenderIo &io, RenderStats &stats, std::string &err)
{
	vst2::AEffect &e = *p.effect();
	if (cfg.form == ProcessForm::Replacing && e.processReplacing == nullptr)
	{
		err = "the plug-in has no processReplacing";
		return false;
	}
	if (cfg.form == ProcessForm::Accumulating && e.process == nullptr)
	{
		err = "the plug-in has no accumulating process";
		return false;
	}
	if (!prepare_instance(p, cfg, err))
	{
		return false;
	}
	const int nbr_in = used_inputs(e, cfg);
	const int nbr_out = used_outputs(e, cfg);
	ProcessBuffers buf(e.numInputs, e.numOutputs, cfg.blocks.max_block());
	const long input_frames = io.input != nullptr ? io.input->frames() : 0;
	const long total = input_frames + cfg.tail_frames;
	stats = RenderStats{};
	stats.min_block = total > 0 ? cfg.blocks.max_block() : 0;
	long pos = 0;
	bool ok = true;
	while (pos < total)
	{
		const long n = cfg.blocks.next(total - pos);
		buf.clear_inputs(n);
		fill_from(io.input, buf.inputs(), nbr_in, pos, n);
		buf.clear_outputs(n);
		fill_from(io.prefill, buf.outputs(), nbr_out, pos, n);
		p.host().set_transport(pos, true, stats.blocks);
		if (io.midi != nullptr)
		{
			vst2::VstEvents *ev = io.midi->block(pos, n);
			if (ev->numEvents > 0)
			{
				p.process_events_audio(ev);
			}
		}
		p.process_audio(buf.inputs(), buf.outputs(), vst2::int32(n), cfg.form);
		for (int c = 0; c < nbr_out; ++c)
		{
			const float *o = buf.output(c);
			for (long i = 0; i < n; ++i)
			{
				if (!std::isfinite(o[i]))
				{
					++stats.non_finite;
				}
				else
				{
					stats.peak = std::max(stats.peak, std::fabs(o[i]));
				}
			}
		}
		if (io.sink && !io.sink(buf.outputs(), n))
		{
			err = "writing the output failed";
			ok = false;
			break;
		}
		pos += n;
		stats.frames = pos;
		stats.min_block = std::min(stats.min_block, n);
		stats.max_block = std::max(stats.max_block, n);
		if (io.after_block)
		{
			io.after_block(stats.blocks);
		}
		++stats.blocks;
		if (io.progress)
		{
			io.progress(pos, total);
		}
	}
	p.dispatch(vst2::effStopProcess);
	p.suspend();
	return ok;
}

} // namespace plughost
