#include "Afx/ClipRegionList.h"
#include "Afx/DeviceContext.h"
#include "Afx/GdiObject.h"
#include "Afx/SelectObjectGuard.h"
#include "foundation/text/TextException.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Regions.h"
#include "support/GdiPixels.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ZAV;

namespace {

HDC TestDC(int size = 8)
{
    TestDeviceSettings settings;
    settings.width = settings.height = size;
    return CreateTestDC(settings);
}

}  // namespace

TEST(GdiObjects, AttachOfNullKeepsTheHandleAndFailuresThrow)
{
    CBrush brush(RGB(1, 2, 3));
    HGDIOBJ held = brush.GetHandle();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(brush.Attach(nullptr), 0);
    EXPECT_EQ(brush.GetHandle(), held);
    brush.DeleteObject();
    EXPECT_EQ(brush.GetHandle(), nullptr);
    EXPECT_FALSE(DeleteObject(held));  // really deleted

    GdiKnobs().objectCreation = true;
    struct Expect {
        int line;
        bool pen;
    };
    for (const Expect& e : {Expect{41, true}, Expect{68, false}}) {
        try {
            if (e.pen)
                CPen(PS_SOLID, 1, 0);
            else
                CBrush(0);
            ADD_FAILURE() << "no exception";
        } catch (const CGdiException& failure) {
            EXPECT_EQ(failure.m_line, e.line);
            EXPECT_STREQ(failure.m_file, "..\\Afx\\CGdiObject");
            EXPECT_STREQ(failure.m_kind, "Resource");
        }
    }
    CFont font;
    EXPECT_EQ(font.CreatePointFont(120, "Arial", nullptr), 0);
    ResetGdiKnobs();
}

TEST(GdiObjects, PointFontHeightFollowsTheDeviceResolution)
{
    HDC dc = TestDC();
    CFont font;
    ASSERT_EQ(font.CreatePointFont(120, "Arial with a face name longer than thirty-two characters", dc), 1);
    LOGFONTA logFont{};
    GetObjectA(font.GetHandle(), sizeof logFont, &logFont);
    EXPECT_EQ(logFont.lfHeight, -16);  // 12 points at 96 dpi
    EXPECT_EQ(std::strlen(logFont.lfFaceName), 31u);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    DeleteDC(dc);
}

TEST(DeviceContextHolder, CallersDCsStayAndDrawingRestoresSelections)
{
    HDC dc = TestDC();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        CDeviceContext holder(dc);
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        CBrush blue(RGB(0, 0, 255));
        holder.Rectangle(RECT{0, 0, 4, 4}, red, blue);
        CFont font;
        font.CreatePointFont(90, "Arial", dc);
        holder.TextOut(String("Hi"), font, 1, 5);  // drawn below the rectangle's probed pixels
    }
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);  // not released by the holder
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(ZAVTest::PixelAt(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ZAVTest::PixelAt(dc, 2, 2), RGB(0, 0, 255));
    ASSERT_EQ(GetRecordedTexts(dc).size(), 1u);
    EXPECT_EQ(GetRecordedTexts(dc)[0].text, "Hi");

    CSelectObjectGuard guard(dc, GetStockObject(NULL_PEN));
    guard.Select(dc, GetStockObject(WHITE_PEN));  // restores the first selection before
    guard.Restore();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    DeleteDC(dc);

    CDeviceContext memory;
    memory.CreateCompatible(nullptr);
    EXPECT_NE(memory.GetHandle(), nullptr);
    GdiKnobs().compatibleDC = true;
    EXPECT_THROW(memory.CreateCompatible(nullptr), CTextException);
    ResetGdiKnobs();
}

TEST(ClipRegions, PushAndPopLeaveNoClip)
{
    HDC dc = TestDC();
    HRGN before = CreateRectRgn(0, 0, 2, 2);
    SelectClipRgn(dc, before);
    CClipRegionList list;
    list.PushRect(dc, RECT{1, 1, 5, 5}, 2, RGN_AND);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dc, probe), 1);
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 5);  // the earlier clip is gone: the list starts from none
    list.Pop(dc);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    list.Apply(nullptr);
    DeleteObject(probe);
    DeleteObject(before);
    DeleteDC(dc);
}
