// Linear glide of a parameter toward its latest target, taking
// `inertia_time` seconds whatever the distance. The smoothing state is
// double; the targets are floats. Users read val_cur and step directly;
// step is non-zero exactly while the value moves.
#pragma once

namespace dsp
{

class ParamInertia
{
public:
	// Start a glide toward v (or jump there when inertia_time is 0).
	void set_val(float v);
	// Advance by n samples; on reaching or passing the target, snap to it.
	void tick(long n);
	// Rescale the step so that a glide under way keeps its duration.
	void set_sample_freq(float f);
	// Jump to the target at once.
	void arrive();
	bool is_moving() const { return step != 0.0; }

	float inertia_time = 0.1f;
	float sample_freq = 44100.0f;
	float val_start = 0.0f;
	float val_target = 0.0f;
	double val_cur = 0.0;
	double step = 0.0;
};

} // namespace dsp
