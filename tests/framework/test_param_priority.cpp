#include <gtest/gtest.h>

#include "plegg/ParamPriority.h"
#include "plegg/ParamPriorityList.h"

using plegg::ParamPriority;

TEST(ParamPriority, FreshRecordGrantsAnyPriorityAndHoldsIt)
{
	ParamPriority p;
	EXPECT_TRUE(p.get(0.0, 0));
	EXPECT_EQ(p.get_holder_priority(), 0);
	ParamPriority q;
	EXPECT_TRUE(q.get(1.0, 150));
	EXPECT_EQ(q.get_holder_priority(), 150);
	EXPECT_DOUBLE_EQ(q.get_time_stamp(), 1.0);
}

TEST(ParamPriority, LowerWriterRefusedUntilTheGrantExpires)
{
	ParamPriority p;
	ASSERT_TRUE(p.get(10.0, 200));
	EXPECT_FALSE(p.get(10.3, 100));
	EXPECT_EQ(p.get_holder_priority(), 200);
	EXPECT_DOUBLE_EQ(p.get_time_stamp(), 10.0);
	// Exactly at the end of the time to live the holder still wins.
	EXPECT_FALSE(p.is_free(10.5, 100));
	EXPECT_TRUE(p.get(10.6, 100));
	EXPECT_EQ(p.get_holder_priority(), 100);
}

TEST(ParamPriority, EqualOrHigherPriorityRenewsTheGrant)
{
	ParamPriority p;
	ASSERT_TRUE(p.get(1.0, 125));
	EXPECT_TRUE(p.get(1.2, 125));
	EXPECT_DOUBLE_EQ(p.get_time_stamp(), 1.2);
	EXPECT_TRUE(p.get(1.3, 200));
	EXPECT_FALSE(p.get(1.5, 125));
}

TEST(ParamPriority, ReleaseOnlyByTheHolder)
{
	ParamPriority p;
	ASSERT_TRUE(p.get(5.0, 200));
	p.release(150);
	EXPECT_FALSE(p.is_free(5.1, 100));
	p.release(200);
	EXPECT_TRUE(p.is_free(5.1, 100));
	ASSERT_TRUE(p.get(5.2, 200));
	p.release();
	EXPECT_TRUE(p.get(5.3, 1));
}

TEST(ParamPriority, IsFreeNeverChangesTheRecord)
{
	ParamPriority p;
	ASSERT_TRUE(p.get(2.0, 200));
	EXPECT_TRUE(p.is_free(3.0, 100));
	EXPECT_EQ(p.get_holder_priority(), 200);
	EXPECT_DOUBLE_EQ(p.get_time_stamp(), 2.0);
}

TEST(ParamPriority, TtlIsAdjustable)
{
	ParamPriority p;
	p.set_ttl(2.0);
	ASSERT_TRUE(p.get(0.0, 200));
	EXPECT_FALSE(p.get(1.5, 100));
	EXPECT_TRUE(p.get(2.1, 100));
}

TEST(ParamPriorityList, ResizingKeepsExistingRecords)
{
	plegg::ParamPriorityList list;
	list.set_nbr_param(3);
	ASSERT_TRUE(list.get(1, 4.0, 200));
	list.set_nbr_param(5);
	EXPECT_EQ(list.get_nbr_param(), 5);
	EXPECT_FALSE(list.is_free(1, 4.1, 100));
	EXPECT_TRUE(list.is_free(4, 4.1, 100));
	list.release_all();
	EXPECT_TRUE(list.is_free(1, 4.1, 100));
}
