// Second-order recursive section (direct form I) on blocks of floats.
//
// One sample x, with p = mem_pos the slot of the newest memory:
//   y = (((b0*x) + b1*mem_x[p]) + b2*mem_x[1-p]) - ((a1*mem_y[p]) + (a2*mem_y[1-p]))
// then x and y go into slot 1-p, which becomes the newest.
// Block forms give the same results as that rule applied sample by sample:
// a leading sample realigns the memory to mem_pos 0, the rest runs two at a
// time with the state in locals, and an odd last sample runs alone.
#pragma once

#include <cstdint>

#include "dsp/EnvFollowerBase.h"

namespace dsp
{

class Biquad
{
public:
	// Anti-denormal offset of process_block_nd, once every pair of samples.
	static constexpr float ANTI_DENORMAL = 1e-20f;

	Biquad();

	void process_block(float *out, const float *in, long n);
	void process_block_mix(float *out, const float *in, long n);
	void process_block_nd(float *out, const float *in, long n);
	void process_block_clip(float *out, const float *in, long n, float clip);
	void process_block_limit(float *out, const float *in, long n, EnvFollowerBase &env, float gain);

	void process_block(float *buf, long n) { process_block(buf, buf, n); }
	void process_block_mix(float *buf, long n) { process_block_mix(buf, buf, n); }
	void process_block_nd(float *buf, long n) { process_block_nd(buf, buf, n); }
	void process_block_clip(float *buf, long n, float clip) { process_block_clip(buf, buf, n, clip); }
	void process_block_limit(float *buf, long n, EnvFollowerBase &env, float gain)
	{
		process_block_limit(buf, buf, n, env, gain);
	}

	// Memory and mem_pos to 0.
	void clear_buffers();
	// Clamp both output memories to [-c, c].
	void clip_memory(float c);
	// Soft-clip the newest output memory: y * (1 - y^2 / (6 c^2)).
	void clip_memory_fast(float c);
	// True when neither output memory is a denormal number.
	bool check_denormal() const;

	// One sample by the one-sample rule.
	float process_sample(float x);

	// Copy the z coefficients of another section (memory untouched).
	void copy_z_eq(const Biquad &other);

	float b0, b1, b2;
	float a0, a1, a2;
	float mem_x[2];
	float mem_y[2];
	int32_t mem_pos;

private:
	enum class Mode { WRITE, MIX, ND, CLIP };

	template <Mode M>
	void run_block(float *out, const float *in, long n, float clip_k);
};

} // namespace dsp
