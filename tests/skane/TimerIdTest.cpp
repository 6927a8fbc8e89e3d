// Timer and menu ids in a fresh process start at 1.
#include "skane/MenuItem.h"
#include "skane/SetTimer.h"

#include "RecordingControl.h"

#include <gtest/gtest.h>

TEST(Ids, StartAtOneInAFreshProcess)
{
	skane_test::RecordingControl c("c", skane::Rect(0, 0, 1, 1));
	int id = 0;
	skane::SetTimer t(c, 0.0333f, id);
	EXPECT_EQ(id, 1);
	EXPECT_EQ(t.get_id(), 1);
	skane::SetTimer t2(c, 0.0333f, id);
	EXPECT_EQ(id, 2);
	skane::MenuItem first("first");
	EXPECT_EQ(first.get_id(), 1);
}
