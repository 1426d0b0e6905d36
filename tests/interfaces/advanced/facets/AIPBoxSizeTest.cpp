#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "foundation/text/TextException.h"
#include "interfaces/advanced/facets/AIPBoxSize.h"

namespace ZAV {
namespace {

struct BoxCase {
    AIPBox box;
    int32_t bitsPerPixel;
    bool asksForImage;
    int32_t width;
    int32_t height;
};

class AIPBoxSizeTest : public testing::TestWithParam<BoxCase> {};

TEST_P(AIPBoxSizeTest, TruncatesOrStopsBelowOnePixel)
{
    const BoxCase& c = GetParam();
    AIPImageSize size;
    EXPECT_EQ(c.asksForImage, SizeOfBox(c.box, c.bitsPerPixel, size));
    if (c.asksForImage) {
        EXPECT_EQ(c.width, size.width);
        EXPECT_EQ(c.height, size.height);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, AIPBoxSizeTest,
    testing::Values(BoxCase{{0.0, 0.0, 100.0, 50.0}, 24, true, 100, 50},
                    BoxCase{{-10.25, -3.5, 10.75, 3.9}, 8, true, 21, 7}, BoxCase{{0.0, 0.0, 1.0, 1.0}, 1, true, 1, 1},
                    BoxCase{{0.0, 0.0, 0.999, 40.0}, 24, false, 0, 0}, BoxCase{{0.0, 0.0, 40.0, 0.5}, 24, false, 0, 0},
                    BoxCase{{5.0, 5.0, 4.0, 9.0}, 8, false, 0, 0}, BoxCase{{0.0, 0.0, -1e12, -1e12}, 8, false, 0, 0}));

TEST(AIPBoxSize, RefusesBoxesNoImageCanHold)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    const struct {
        AIPBox box;
        int32_t bitsPerPixel;
        const char* text;
    } cases[] = {
        {{0.0, 0.0, 1e9 * 100.0, 100.0}, 8, "The transformed image of 100000000000 x 100 pixels is too large!"},
        {{0.0, 0.0, 3e9, 1.0}, 1, "The transformed image of 3000000000 x 1 pixels is too large!"},
        {{0.0, 0.0, 40000.0, 20000.0}, 24, "The transformed image of 40000 x 20000 pixels is too large!"},
        {{0.0, 0.0, infinity, 10.0}, 24, "The transformed image has no finite size!"},
        {{0.0, notANumber, 10.0, 10.0}, 24, "The transformed image has no finite size!"},
    };
    for (const auto& c : cases) {
        AIPImageSize size;
        try {
            SizeOfBox(c.box, c.bitsPerPixel, size);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const CTextException& e) {
            EXPECT_STREQ(c.text, e.GetText());
        }
    }
}

TEST(AIPBoxSize, AcceptsTheLargestImageAtItsDepth)
{
    // 40000 x 13000 at 32 bits is 2.08e9 bytes, below the ceiling.
    AIPImageSize size;
    EXPECT_TRUE(SizeOfBox({0.0, 0.0, 40000.0, 13000.0}, 32, size));
    EXPECT_EQ(40000, size.width);
    EXPECT_EQ(13000, size.height);
}

}  // namespace
}  // namespace ZAV
