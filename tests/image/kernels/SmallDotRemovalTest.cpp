#include <gtest/gtest.h>

#include <vector>

#include "image/kernels/SmallDotRemoval.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::ThrownText;

namespace {

TEST(SmallDotRemoval, RefusesBadArgumentsInOrder)
{
    std::vector<BYTE> pixels(4, 0);
    const struct {
        int depth, tolerance, dotSize;
        const char* text;
    } cases[] = {
        {1, 0, 0, "Invalid speckle size!"},
        {8, 257, 1, "Tolerance value ranges from 1 to 256!"},
        {8, 0, 1, "Tolerance value ranges from 1 to 256!"},
        {1, 5, 1, "Invalid colordepth!"},
        {32, 5, 1, "Invalid colordepth!"},
    };
    CDespeckle remover;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.text, ThrownText([&] { remover.Despeckle(pixels.data(), 2, 2, c.depth, c.tolerance, c.dotSize); }));
    }
}

TEST(SmallDotRemoval, RepaintsADotWithinTheToleranceOnly)
{
    const struct {
        int depth;
        BYTE dot;
        int tolerance;
        bool repainted;
    } cases[] = {
        {8, 103, 3, true}, {8, 103, 2, false}, {24, 10, 18, true}, {24, 10, 17, false},  // sqrt(300) = 17.3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " bits, tolerance " << c.tolerance);
        const int channels = c.depth / 8;
        const BYTE background = c.depth == 8 ? 100 : 0;
        std::vector<BYTE> pixels(5 * 5 * channels, background);
        for (int i = 0; i < channels; ++i)
            pixels[12 * channels + i] = c.dot;
        CDespeckle remover;
        ASSERT_EQ(1, remover.Despeckle(pixels.data(), 5, 5, c.depth, c.tolerance, 1));
        EXPECT_EQ(c.repainted ? background : c.dot, pixels[12 * channels]);
        EXPECT_EQ(background, pixels[0]);
    }
}

TEST(SmallDotRemoval, LooksAgainAtARegionGrownByARepaint)
{
    // The dot joins the 10s, and the two of them then join the 200s.
    std::vector<BYTE> row = {50, 10, 200, 200, 200};
    CDespeckle remover;
    ASSERT_EQ(1, remover.Despeckle(row.data(), 5, 1, 8, 256, 2));
    EXPECT_EQ(std::vector<BYTE>(5, 200), row);

    std::vector<BYTE> pair = {50, 50, 0, 0, 0};
    ASSERT_EQ(1, remover.Despeckle(pair.data(), 5, 1, 8, 256, 1));
    EXPECT_EQ(50, pair[0]);  // two pixels are more than a dot of one
}

TEST(SmallDotRemoval, CountsALongWindingRegionWhole)
{
    // A one-pixel-wide serpentine of 0 through a background of 255: full
    // rows on even lines joined by one pixel at alternating ends.
    const int width = 501;
    const int height = 799;
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height, 255);
    int64_t regionSize = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool connector = y % 2 == 1 && x == ((y / 2) % 2 == 0 ? width - 1 : 0);
            if (y % 2 == 0 || connector) {
                pixels[static_cast<size_t>(y) * width + x] = 0;
                ++regionSize;
            }
        }
    }
    ASSERT_GT(regionSize, 200000);
    CDespeckle remover;
    ASSERT_EQ(1, remover.Despeckle(pixels.data(), width, height, 8, 256, 150000));
    for (int y = 0; y < height; y += 2)
        ASSERT_EQ(0, pixels[static_cast<size_t>(y) * width + width / 2]) << y;
}

TEST(SmallDotRemoval, ACancelFailsTheRun)
{
    std::vector<BYTE> pixels(4 * 4, 7);
    CRecordingSink refusing(1);
    CDespeckle remover(&refusing);
    EXPECT_EQ(0, remover.Despeckle(pixels.data(), 4, 4, 8, 5, 1));
    EXPECT_STREQ("Operation canceled!", remover.GetErrorText().GetText());
    EXPECT_EQ(1, refusing.beginCalls);
    EXPECT_EQ(1, refusing.progressCalls);
    EXPECT_EQ(1, refusing.endCalls);

    CRecordingSink patient;
    CDespeckle reporting(&patient);
    EXPECT_EQ(1, reporting.Despeckle(pixels.data(), 4, 4, 8, 5, 1));
    EXPECT_EQ(4, patient.progressCalls);
    EXPECT_STREQ("", reporting.GetErrorText().GetText());
}

}  // namespace
