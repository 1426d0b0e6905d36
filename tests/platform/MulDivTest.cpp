#include "platform/MulDiv.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(MulDiv, RoundsHalfAwayFromZeroThroughA64BitProduct)
{
    const struct {
        int32_t number, numerator, denominator, expected;
    } cases[] = {
        {96, 1000, 2540, 38},
        {1, 1, 2, 1},
        {-1, 1, 2, -1},
        {1, -1, 2, -1},
        {3, 1, -2, -2},
        {-3, -1, -2, -2},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {5, 7, 0, -1},
        {65536, 65536, 65536, 65536},             // the product passes 32 bits
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
        {INT32_MAX, 2, 1, -1},                   // the result does not fit
        {INT32_MIN, 1, 1, INT32_MIN},
        {INT32_MIN, -1, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << " * " << c.numerator << " / " << c.denominator);
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
    }
}
