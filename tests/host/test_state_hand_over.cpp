// The hand-over of sample-rate and reset requests between the host's
// threads and the audio thread: requests wait for a process call, and a
// failing change leaves the hand-over usable.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/StateHandOver.h"

namespace
{

using plegg::StateHandOver;

TEST(StateHandOver, ARequestDuringProcessingIsAppliedAtTheNextCall)
{
	StateHandOver h;
	int applied_now = 0;
	int applied_later = 0;
	ASSERT_TRUE(h.begin_process([&] { ++applied_later; }));
	h.request(48000.0f, [&] { ++applied_now; });
	EXPECT_EQ(applied_now, 0);
	h.end_process();
	ASSERT_TRUE(h.begin_process([&] { ++applied_later; }));
	h.end_process();
	EXPECT_EQ(applied_later, 1);
	float rate = 0.0f;
	EXPECT_TRUE(h.take_pending(rate));
	EXPECT_EQ(rate, 48000.0f);
	// Nothing pending: nothing applied again.
	ASSERT_TRUE(h.begin_process([&] { ++applied_later; }));
	h.end_process();
	EXPECT_EQ(applied_later, 1);
}

TEST(StateHandOver, AChangeThatThrowsLeavesItUsable)
{
	StateHandOver h;
	EXPECT_THROW(h.request(0.0f, [] { throw std::runtime_error("no"); }), std::runtime_error);
	// Not left busy: processing goes on and a new request is applied at once.
	int applied = 0;
	EXPECT_TRUE(h.begin_process([&] { ++applied; }));
	h.end_process();
	h.request(0.0f, [&] { ++applied; });
	EXPECT_EQ(applied, 1);
}

TEST(StateHandOver, AProcessCallThatThrowsStillEnds)
{
	StateHandOver h;
	try
	{
		ASSERT_TRUE(h.begin_process([] {}));
		const StateHandOver::ProcessEnd end(h);
		throw std::runtime_error("no");
	}
	catch (const std::runtime_error &)
	{
	}
	// Not left processing: a request is applied at once, not deferred.
	int applied = 0;
	h.request(0.0f, [&] { ++applied; });
	EXPECT_EQ(applied, 1);
}

} // namespace
