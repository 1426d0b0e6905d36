// The Draw facet: byte cursors over pixel rows, checked pixel access and
// the drawing operations.
#include <gtest/gtest.h>

#include <vector>

#include "ImageEditTestPixels.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;

TEST(DrawFacet, CursorsWriteAndReadPixelsInMemoryOrder)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(4, 2, zavbpp24);
    IZAVImageEditDrawCpp& draw = *edit->GetDraw();
    BYTE* row = static_cast<BYTE*>(edit->GetImageData());
    BYTE* cursor = row;
    draw.WritePixel24AtCursor(&cursor, RGB(1, 2, 3));
    draw.WritePixel24AtCursor(&cursor, RGB(4, 5, 6));
    EXPECT_EQ(cursor, row + 6);
    EXPECT_EQ(std::vector<BYTE>(row, row + 7), (std::vector<BYTE>{1, 2, 3, 4, 5, 6, 0}));
    EXPECT_EQ(draw.GetPixel24(1, 0), RGB(4, 5, 6));

    // Reading leaves the cursor; the last pixel of the block reads without
    // touching a byte past it.
    BYTE* last = row + edit->GetImageSize() - 3;
    draw.WritePixel24AtCursor(&last, RGB(7, 8, 9));
    last -= 3;
    EXPECT_EQ(draw.ReadPixel24AtCursor(&last), 0x090807u);
    EXPECT_EQ(last, row + edit->GetImageSize() - 3);

    BYTE* byteCursor = row + 1;
    draw.WriteByteAtCursor(&byteCursor, 0xAB);
    EXPECT_EQ(byteCursor, row + 2);
    --byteCursor;
    EXPECT_EQ(draw.ReadByteAtCursor(&byteCursor), 0xAB);
    EXPECT_EQ(byteCursor, row + 1);
}

TEST(DrawFacet, PixelAccessStaysInsideTheImage)
{
    CZAVPtr<IZAVImageEditSp> colour = CreateImageEditSp();
    colour->Create(3, 2, zavbpp24);
    CZAVPtr<IZAVImageEditSp> gray = CreateImageEditSp();
    gray->Create(3, 2, zavbpp8);
    IZAVImageEditDrawCpp& draw24 = *colour->GetDraw();
    IZAVImageEditDrawCpp& draw8 = *gray->GetDraw();

    draw24.SetPixel24(2, 1, RGB(10, 20, 30));
    EXPECT_EQ(draw24.GetPixel24(2, 1), RGB(10, 20, 30));
    const std::vector<unsigned char> pixels = ZAVTest::PixelsOf(*colour.Get());
    ASSERT_EQ(pixels.size(), 3u * 2u * 3u);
    EXPECT_EQ(pixels.back(), 30);
    draw8.SetPixel8(2, 1, 77);
    EXPECT_EQ(draw8.GetPixel8(2, 1), 77);

    const struct {
        const char* name;
        IZAVImageEditDrawCpp* draw;
        bool trueColour;
        int x, y;
    } refused[] = {
        {"24 past the row", &draw24, true, 3, 0}, {"24 below", &draw24, true, 0, 2},
        {"24 negative", &draw24, true, -1, 0},    {"24 on 8 bits", &draw8, true, 0, 0},
        {"8 past the row", &draw8, false, 3, 1},  {"8 above", &draw8, false, 0, -1},
        {"8 on 24 bits", &draw24, false, 0, 0},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        if (c.trueColour) {
            EXPECT_EQ(ZAVTest::ThrownText([&] { c.draw->GetPixel24(c.x, c.y); }), "Invalid Parameter!");
            EXPECT_EQ(ZAVTest::ThrownText([&] { c.draw->SetPixel24(c.x, c.y, 0); }), "Invalid Parameter!");
        } else {
            EXPECT_EQ(ZAVTest::ThrownText([&] { c.draw->GetPixel8(c.x, c.y); }), "Invalid Parameter!");
            EXPECT_EQ(ZAVTest::ThrownText([&] { c.draw->SetPixel8(c.x, c.y, 0); }), "Invalid Parameter!");
        }
    }
    CZAVPtr<IZAVImageEditSp> empty = CreateImageEditSp();
    EXPECT_EQ(ZAVTest::ThrownText([&] { empty->GetDraw()->GetPixel8(0, 0); }), "Invalid Parameter!");
}

TEST(DrawFacet, RectangleAndLineDrawClippedToTheImage)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(6, 4, zavbpp8);
    IZAVImageEditDrawCpp& draw = *edit->GetDraw();
    draw.DrawRectangle(4, 2, 10, 10, RGB(200, 200, 200));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(draw.GetPixel8(x, y) != 0, x >= 4 && y >= 2) << x << "," << y;

    CZAVPtr<IZAVImageEditSp> line = CreateImageEditSp();
    line->Create(5, 5, zavbpp24);
    line->GetDraw()->DrawLine(0, 0, 4, 4, RGB(255, 0, 0));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(line->GetDraw()->GetPixel24(i, i), RGB(255, 0, 0)) << i;
    EXPECT_EQ(line->GetDraw()->GetPixel24(4, 0), RGB(0, 0, 0));
}

}  // namespace
