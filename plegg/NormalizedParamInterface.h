// An automatable value: a real value in its own unit and the same value
// normalized to [0, 1], which is what hosts, MIDI, programs and controls
// exchange.
#pragma once

#include <atomic>

#include "plegg/NotifierInterface.h"

namespace plegg
{

class NormalizedParamInterface : public NotifierInterface
{
public:
	NormalizedParamInterface() = default;
	NormalizedParamInterface(const NormalizedParamInterface &) = delete;
	NormalizedParamInterface &operator=(const NormalizedParamInterface &) = delete;

	// val := v, norm := normalize_val(v), automation group := prio; no notification.
	virtual void init(double v, int automation_prio);
	virtual void get_name(char *buf, long max_len) const = 0;
	virtual void get_unit(char *buf, long max_len) const = 0;
	// 0 = continuous, 1 = integer steps.
	virtual int get_range_type() const { return 0; }
	// Hook run after every change of val and norm.
	virtual void do_set_val() {}
	virtual double denormalize_val(float n) const = 0;
	virtual float normalize_val(double v) const = 0;
	virtual void do_print_val(char *buf, long max_len, double v) const = 0;
	// ok := false when the text does not scan (NaN and infinities never scan).
	virtual double do_scan_val(const char *text, bool &ok) const = 0;

	// The values cross threads (host automation on the audio thread, the
	// editor and program changes elsewhere): each field is an atomic of its own.
	double get_val() const { return val.load(std::memory_order_relaxed); }
	float get_norm() const { return norm.load(std::memory_order_relaxed); }
	int get_automation_priority() const { return automation_priority; }
	void set_val(double v) { val.store(v, std::memory_order_relaxed); }
	void set_norm(float n) { norm.store(n, std::memory_order_relaxed); }

	// The framework's way of changing a parameter: norm := n,
	// val := denormalize_val(n), do_set_val(), then notify the owner.
	void change_norm(float n);
	// The same starting from a real value: val := v, norm := normalize_val(v).
	void change_val(double v);

protected:
	std::atomic<double> val{0.0};
	std::atomic<float> norm{0.0f};
	int automation_priority = 0;
};

} // namespace plegg
