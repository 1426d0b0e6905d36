#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/render/JB2ComposeRows.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

using JB2Test::Page;

// Serves the rows of a bitmap and records which rows were asked for.
struct RowSource {
    const Page* region;
    std::vector<uint32_t> asked;
    uint32_t failAt = UINT32_MAX;

    static JB2_Error Row(void* user, uint32_t row, uint8_t* line)
    {
        auto* self = static_cast<RowSource*>(user);
        self->asked.push_back(row);
        if (row == self->failAt) return -19;
        std::copy(self->region->Row(row), self->region->Row(row) + self->region->Stride(), line);
        return 0;
    }
};

JB2_Error Render(Page& page, const Page& region, uint32_t x, uint32_t y, uint8_t op, RowSource& source)
{
    source.region = &region;
    std::vector<uint8_t> line(region.Stride() + 4);
    return JB2ComposeRegionRows(page.bits.data(), page.width, page.height, x, y, region.width, region.height, op,
                               line.data(), RowSource::Row, &source);
}

TEST(Render, RegionsAreClippedToThePage)
{
    const uint32_t positions[] = {0, 3, 9, 30, 49, 50, 70, 0xFFFFFFF0u};
    for (uint8_t op = 0; op <= 4; ++op)
        for (uint32_t x : positions)
            for (uint32_t y : positions) {
                Page page = JB2Test::NoisePage("page", 50, 40, x * 31 + y);
                const Page region = JB2Test::NoisePage("region", 27, 0x20, x + y * 7 + op);
                Page expected = page;
                for (uint64_t ry = 0; ry < region.height; ++ry)
                    for (uint64_t rx = 0; rx < region.width; ++rx) {
                        const uint64_t px = x + rx;
                        const uint64_t py = y + ry;
                        if (px >= page.width || py >= page.height) continue;
                        const bool on = JB2Test::CombinePixel(page.Get(uint32_t(px), uint32_t(py)),
                                              region.Get(uint32_t(rx), uint32_t(ry)), op);
                        if (on) expected.Set(uint32_t(px), uint32_t(py));
                        else expected.Row(uint32_t(py))[px / 8] &= uint8_t(~(0x80 >> (px % 8)));
                    }
                RowSource source;
                ASSERT_EQ(0, Render(page, region, x, y, op, source));
                ASSERT_EQ(expected.bits, page.bits) << "op " << int(op) << " at " << x << ", " << y;
                // Rows below the page, and every row of a region right of it, are never asked for.
                const uint64_t rows = x >= page.width || y >= page.height
                                          ? 0
                                          : std::min<uint64_t>(region.height, page.height - y);
                EXPECT_EQ(rows, source.asked.size()) << x << ", " << y;
            }
}

TEST(Render, RenderingStopsAtTheFirstFailedRow)
{
    Page page = JB2Test::BlankPage("page", 16, 10);
    const Page region = JB2Test::BlackPage("region", 16, 6);
    RowSource source;
    source.failAt = 3;
    EXPECT_EQ(-19, Render(page, region, 0, 2, 0, source));
    for (uint32_t y = 0; y < page.height; ++y)
        EXPECT_EQ(y >= 2 && y < 5 ? 0xFF : 0x00, page.Row(y)[0]) << y;
}

}  // namespace
