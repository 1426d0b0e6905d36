#include "platform/ScreenMetrics.h"

#include <gtest/gtest.h>

TEST(ScreenMetrics, ReportsNinetySixUntilATestSetsOtherValues)
{
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSX), 96);
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSY), 96);
    EXPECT_EQ(GetScreenLogPixels(12), 0);
    SetScreenLogPixels(120, 144);
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSX), 120);
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSY), 144);
    SetScreenLogPixels(0, -1);
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSX), 96);
    EXPECT_EQ(GetScreenLogPixels(LOGPIXELSY), 96);
}
