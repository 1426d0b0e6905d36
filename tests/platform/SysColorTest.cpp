#include "platform/SysColor.h"

#include <gtest/gtest.h>

TEST(SysColor, KnownIndexesResolveAndPlainColoursPassUnchanged)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_INFOTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(3), 0u);

    const struct {
        OLE_COLOR in;
        HRESULT result;
        COLORREF out;
    } cases[] = {
        {0x80000000u | COLOR_BTNFACE, S_OK, RGB(240, 240, 240)},
        {0x80000000u | COLOR_INFOBK, S_OK, RGB(255, 255, 225)},
        {RGB(1, 2, 3), S_OK, RGB(1, 2, 3)},
        {0x80000000u | 99, E_INVALIDARG, 0xDEADu},
        {0x01000005u, E_INVALIDARG, 0xDEADu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        COLORREF out = 0xDEAD;
        EXPECT_EQ(OleTranslateColor(c.in, nullptr, &out), c.result);
        EXPECT_EQ(out, c.out);
    }
}
