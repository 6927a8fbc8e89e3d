#include "tools/plughost/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace plughost
{

namespace
{

std::string lower_extension(const std::string &path)
{
	const auto dot = path.rfind('.');
	const auto slash = path.rfind('/');
	if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
	{
		return "";
	}
	std::string ext = path.substr(dot + 1);
	for (auto &c : ext)
	{
		c = char(std::tolower((unsigned char)c));
	}
	return ext;
}

bool format_for(const std::string &path, SampleEncoding enc, int &format, std::string &err)
{
	const std::string ext = lower_extension(path);
	int major = 0;
	int sub = 0;
	const int pcm = enc == SampleEncoding::Pcm16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24;
	if (ext == "wav")
	{
		major = SF_FORMAT_WAV;
		sub = (enc == SampleEncoding::Default || enc == SampleEncoding::Float32) ? SF_FORMAT_FLOAT : pcm;
	}
	else if (ext == "aif" || ext == "aiff")
	{
		major = SF_FORMAT_AIFF;
		sub = (enc == SampleEncoding::Default || enc == SampleEncoding::Float32) ? SF_FORMAT_FLOAT : pcm;
	}
	else if (ext == "flac")
	{
		if (enc == SampleEncoding::Float32)
		{
			err = "FLAC holds no float samples: use --bits 16 or 24";
			return false;
		}
		major = SF_FORMAT_FLAC;
		sub = pcm;
	}
	else if (ext == "ogg" || ext == "oga")
	{
		major = SF_FORMAT_OGG;
		sub = SF_FORMAT_VORBIS;
	}
	else
	{
		err = "unknown output format \"" + path + "\": use .wav, .flac, .aiff or .ogg";
		return false;
	}
	format = major | sub;
	return true;
}

} // namespace

bool read_audio_file(const std::string &path, AudioData &data, std::string &err)
{
	SF_INFO info{};
	SNDFILE *f = sf_open(path.c_str(), SFM_READ, &info);
	if (f == nullptr)
	{
		err = "cannot read " + path + ": " + sf_strerror(nullptr);
		return false;
	}
	if (info.channels <= 0 || info.samplerate <= 0)
	{
		sf_close(f);
		err = path + ": no channels or no sample rate";
		return false;
	}
	AudioData d;
	d.sample_rate = info.samplerate;
	d.channels.assign(std::size_t(info.channels), {});
	std::vector<float> buf(4096 * std::size_t(info.channels));
	for (;;)
	{
		const sf_count_t got = sf_readf_float(f, buf.data(), 4096);
		if (got <= 0)
		{
			break;
		}
		for (int c = 0; c < info.channels; ++c)
		{
			auto &ch = d.channels[std::size_t(c)];
			for (sf_count_t i = 0; i < got; ++i)
			{
				ch.push_back(buf[std::size_t(i * info.channels + c)]);
			}
		}
	}
	const int e = sf_error(f);
	sf_close(f);
	if (e != SF_ERR_NO_ERROR)
	{
		err = "cannot read " + path + ": " + sf_error_number(e);
		return false;
	}
	data = std::move(d);
	return true;
}

bool parse_encoding(const std::string &text, SampleEncoding &enc)
{
	if (text == "16")
	{
		enc = SampleEncoding::Pcm16;
	}
	else if (text == "24")
	{
		enc = SampleEncoding::Pcm24;
	}
	else if (text == "float" || text == "32f")
	{
		enc = SampleEncoding::Float32;
	}
	else
	{
		return false;
	}
	return true;
}

std::unique_ptr<AudioWriter> AudioWriter::create(const std::string &path, int nbr_channels, double sample_rate,
                                                 SampleEncoding enc, std::string &err)
{
	SF_INFO info{};
	if (!format_for(path, enc, info.format, err))
	{
		return nullptr;
	}
	info.channels = nbr_channels;
	info.samplerate = int(std::lround(sample_rate));
	if (nbr_channels <= 0 || !sf_format_check(&info))
	{
		err = "cannot write " + path + " with " + std::to_string(nbr_channels) + " channels at " +
		      std::to_string(info.samplerate) + " Hz in this format";
		return nullptr;
	}
	SNDFILE *f = sf_open(path.c_str(), SFM_WRITE, &info);
	if (f == nullptr)
	{
		err = "cannot write " + path + ": " + sf_strerror(nullptr);
		return nullptr;
	}
	// Integer formats clip instead of wrapping around.
	sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
	std::unique_ptr<AudioWriter> w(new AudioWriter);
	w->_file = f;
	w->_nbr_channels = nbr_channels;
	return w;
}

AudioWriter::~AudioWriter()
{
	close();
}

bool AudioWriter::write(const float *const *channels, long frames)
{
	if (_file == nullptr || frames < 0)
	{
		return false;
	}
	_interleaved.resize(std::size_t(frames) * std::size_t(_nbr_channels));
	for (long i = 0; i < frames; ++i)
	{
		for (int c = 0; c < _nbr_channels; ++c)
		{
			_interleaved[std::size_t(i * _nbr_channels + c)] = channels[c][i];
		}
	}
	const sf_count_t put = sf_writef_float(static_cast<SNDFILE *>(_file), _interleaved.data(), frames);
	_frames += long(put);
	return put == frames;
}

bool AudioWriter::close()
{
	if (_file == nullptr)
	{
		return true;
	}
	const bool ok = sf_close(static_cast<SNDFILE *>(_file)) == 0;
	_file = nullptr;
	return ok;
}

} // namespace plughost
