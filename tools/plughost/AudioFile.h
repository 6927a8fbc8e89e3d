// Audio files through libsndfile: WAV, FLAC, AIFF and OGG (Vorbis), the
// format chosen by the file name's extension.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace plughost
{

struct AudioData
{
	double sample_rate = 0.0;
	std::vector<std::vector<float>> channels; // each of frames() samples

	long frames() const { return channels.empty() ? 0 : long(channels[0].size()); }
};

// Reads a whole file; false with err on failure.
bool read_audio_file(const std::string &path, AudioData &data, std::string &err);

// Sample encoding for formats that have a choice.
enum class SampleEncoding
{
	Default, // WAV, AIFF: 32-bit float; FLAC: 24-bit
	Pcm16,
	Pcm24,
	Float32
};

// Parses "16", "24", "float"; false for anything else.
bool parse_encoding(const std::string &text, SampleEncoding &enc);

// Writes blocks of frames to a file.
class AudioWriter
{
public:
	// Null with err when the extension is unknown or the file cannot be made.
	static std::unique_ptr<AudioWriter> create(const std::string &path, int nbr_channels, double sample_rate,
	                                           SampleEncoding enc, std::string &err);
	~AudioWriter();
	AudioWriter(const AudioWriter &) = delete;
	AudioWriter &operator=(const AudioWriter &) = delete;

	// Writes frames from per-channel buffers; false on a write error.
	bool write(const float *const *channels, long frames);
	// Closes the file; false when finishing it failed.
	bool close();
	long frames_written() const { return _frames; }

private:
	AudioWriter() = default;
	void *_file = nullptr; // SNDFILE *
	int _nbr_channels = 0;
	long _frames = 0;
	std::vector<float> _interleaved;
};

} // namespace plughost
