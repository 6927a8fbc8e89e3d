#include "dsp/Biquad.h"

#include <cmath>
#include <cstring>

namespace dsp
{

namespace
{

// Factor k of the soft clipper y * (1 - y^2 * k), k = 1 / (6 c^2).
inline float clip_factor(float c)
{
	return 1.0f / ((6.0f * c) * c);
}

inline float soft_clip(float y, float k)
{
	return y * (1.0f - (y * y) * k);
}

} // namespace

Biquad::Biquad()
	: b0(1.0f), b1(0.0f), b2(0.0f), a0(1.0f), a1(0.0f), a2(0.0f), mem_x{0.0f, 0.0f}, mem_y{0.0f, 0.0f}, mem_pos(0)
{
}

float Biquad::process_sample(float x)
{
	const int p = mem_pos;
	const int q = 1 - p;
	const float y = (((b0 * x) + b1 * mem_x[p]) + b2 * mem_x[q]) - ((a1 * mem_y[p]) + (a2 * mem_y[q]));
	mem_x[q] = x;
	mem_y[q] = y;
	mem_pos = q;
	return y;
}

template <Biquad::Mode M>
void Biquad::run_block(float *out, const float *in, long n, float clip_k)
{
	if (n <= 0)
		return;

	long pos = 0;
	auto single = [&](long i) {
		float y = process_sample(in[i]);
		if constexpr (M == Mode::CLIP) {
			mem_y[mem_pos] = soft_clip(y, clip_k);
			y = mem_y[mem_pos];
		}
		if constexpr (M == Mode::MIX)
			out[i] += y;
		else
			out[i] = y;
	};

	if (mem_pos == 1) {
		single(0);
		pos = 1;
	}

	// Pairs, with slot 0 the newest: x1/y1 newest, x2/y2 the one before.
	float x1 = mem_x[0];
	float x2 = mem_x[1];
	float y1 = mem_y[0];
	float y2 = mem_y[1];
	const float cb0 = b0, cb1 = b1, cb2 = b2, ca1 = a1, ca2 = a2;
	const long end_pair = pos + ((n - pos) & ~1L);
	for (; pos < end_pair; pos += 2) {
		const float xa = in[pos];
		float ya;
		if constexpr (M == Mode::ND)
			ya = ((((cb0 * xa) + ANTI_DENORMAL) + cb1 * x1) + cb2 * x2) - ((ca1 * y1) + (ca2 * y2));
		else
			ya = (((cb0 * xa) + cb1 * x1) + cb2 * x2) - ((ca1 * y1) + (ca2 * y2));
		if constexpr (M == Mode::CLIP)
			ya = soft_clip(ya, clip_k);
		if constexpr (M == Mode::MIX)
			out[pos] += ya;
		else
			out[pos] = ya;

		const float xb = in[pos + 1];
		float yb = (((cb0 * xb) + cb1 * xa) + cb2 * x1) - ((ca1 * ya) + (ca2 * y1));
		if constexpr (M == Mode::CLIP)
			yb = soft_clip(yb, clip_k);
		if constexpr (M == Mode::MIX)
			out[pos + 1] += yb;
		else
			out[pos + 1] = yb;

		x2 = xa;
		x1 = xb;
		y2 = ya;
		y1 = yb;
	}
	mem_x[0] = x1;
	mem_x[1] = x2;
	mem_y[0] = y1;
	mem_y[1] = y2;

	if (pos < n)
		single(pos);
}

void Biquad::process_block(float *out, const float *in, long n)
{
	run_block<Mode::WRITE>(out, in, n, 0.0f);
}

void Biquad::process_block_mix(float *out, const float *in, long n)
{
	run_block<Mode::MIX>(out, in, n, 0.0f);
}

void Biquad::process_block_nd(float *out, const float *in, long n)
{
	run_block<Mode::ND>(out, in, n, 0.0f);
}

void Biquad::process_block_clip(float *out, const float *in, long n, float clip)
{
	run_block<Mode::CLIP>(out, in, n, clip_factor(clip));
}

void Biquad::process_block_limit(float *out, const float *in, long n, EnvFollowerBase &env, float gain)
{
	float level = env.level;
	const float coef = env.coef;
	for (long i = 0; i < n; ++i) {
		const int p = mem_pos;
		const int q = 1 - p;
		const float x = in[i];
		float y = (((b0 * x) + b1 * mem_x[p]) + b2 * mem_x[q]) - ((a1 * mem_y[p]) + (a2 * mem_y[q]));
		level = level + (std::fabs(y * gain) - level) * coef;
		if (level > 1.0f)
			y = y / level;
		mem_x[q] = x;
		mem_y[q] = y;
		mem_pos = q;
		out[i] = y;
	}
	env.level = level;
}

void Biquad::clear_buffers()
{
	mem_x[0] = mem_x[1] = 0.0f;
	mem_y[0] = mem_y[1] = 0.0f;
	mem_pos = 0;
}

void Biquad::clip_memory(float c)
{
	for (float &y : mem_y) {
		if (y > c)
			y = c;
		else if (y < -c)
			y = -c;
	}
}

void Biquad::clip_memory_fast(float c)
{
	mem_y[mem_pos] = soft_clip(mem_y[mem_pos], clip_factor(c));
}

bool Biquad::check_denormal() const
{
	for (float y : mem_y) {
		uint32_t bits;
		std::memcpy(&bits, &y, sizeof(bits));
		if ((bits & 0x7F800000u) == 0 && bits != 0)
			return false;
	}
	return true;
}

void Biquad::copy_z_eq(const Biquad &other)
{
	b0 = other.b0;
	b1 = other.b1;
	b2 = other.b2;
	a0 = other.a0;
	a1 = other.a1;
	a2 = other.a2;
}

} // namespace dsp
