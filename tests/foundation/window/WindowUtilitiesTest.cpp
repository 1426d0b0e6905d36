#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/window/Global.h"
#include "foundation/window/MenuCommands.h"
#include "foundation/window/SafeArrayBuffers.h"
#include "foundation/window/WindowsVersion.h"
#include "platform/Version.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/win/Timers.h"

using namespace ZAV;

namespace {

const uintptr_t kResourceCursors[] = {40206, 40209, 40208, 40210, 40256, 40201, 40228,
                                      40255, 40230, 40231, 40232, 40233, 40235, 40236};

HMODULE FakeModule()
{
    static int marker = 0;
    return reinterpret_cast<HMODULE>(&marker);
}

OSVERSIONINFOA Record(DWORD platform, DWORD major, DWORD minor)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

int g_calls = 0;
void* g_lastValue = nullptr;
void CountCall(void* value)
{
    ++g_calls;
    g_lastValue = value;
}

}  // namespace

TEST(MousePointers, SecondLoadReplacesTheHandlesOfAll24Keys)
{
    CZAVMousePointers pointers(FakeModule());
    pointers.Load();
    EXPECT_EQ(24u, pointers.GetCount());
    EXPECT_EQ(nullptr, pointers.Get(6));  // the module has no cursors yet
    EXPECT_NE(nullptr, pointers.Get(32512));
    EXPECT_EQ(pointers.Get(32515), pointers.Get(7));
    for (uintptr_t id : kResourceCursors)
        AddModuleResource(FakeModule(), RT_CURSOR, id, std::vector<uint8_t>{1, 2, 3});
    pointers.Load();
    EXPECT_EQ(24u, pointers.GetCount());
    for (uint32_t key : {6u, 1u, 2u, 3u, 8u, 32649u, 5u, 9u, 10u, 20u, 21u, 22u, 23u, 24u, 25u})
        EXPECT_NE(nullptr, pointers.Get(key)) << key;
    EXPECT_EQ(pointers.Get(8), pointers.Get(10));  // both resource cursor 40256
    ClearModuleResources(FakeModule());
}

TEST(MousePointers, SetResourceModuleReloadsTheStartupTable)
{
    SetResourceModule(FakeModule());
    EXPECT_EQ(FakeModule(), Global().resourceModule);
    EXPECT_EQ(FakeModule(), MousePointers().GetModule());
    EXPECT_EQ(24u, MousePointers().GetCount());
    SetResourceModule(nullptr);
}

TEST(WindowsVersion, Table)
{
    const struct {
        OSVERSIONINFOA record;
        int expected;
    } cases[] = {
        {Record(VER_PLATFORM_WIN32_NT, 5, 1), 7},       {Record(VER_PLATFORM_WIN32_NT, 5, 2), 7},
        {Record(VER_PLATFORM_WIN32_WINDOWS, 4, 10), 3}, {Record(VER_PLATFORM_WIN32_WINDOWS, 4, 90), 4},
        {Record(VER_PLATFORM_WIN32_WINDOWS, 4, 0), 2},  {Record(VER_PLATFORM_WIN32_WINDOWS, 3, 95), 0},
        {Record(VER_PLATFORM_WIN32_NT, 4, 0), 5},       {Record(VER_PLATFORM_WIN32_NT, 5, 0), 6},
        {Record(VER_PLATFORM_WIN32_NT, 6, 0), 8},       {Record(VER_PLATFORM_WIN32_NT, 6, 1), 1},
        {Record(VER_PLATFORM_WIN32_NT, 10, 0), 1},
    };
    for (const auto& c : cases) {
        SetVersionRecord(&c.record);
        EXPECT_EQ(c.expected, GetWindowsVersion())
            << c.record.dwPlatformId << " " << c.record.dwMajorVersion << "." << c.record.dwMinorVersion;
    }
    SetVersionRecord(nullptr);
    EXPECT_EQ(1, GetStartupWindowsVersion());  // the layer's NT 6.1
}

TEST(SafeArrayBuffers, BytesSurviveTheRoundTrip)
{
    const std::vector<BYTE> bytes = {0, 1, 2, 250, 255, 7};
    VARIANT variant;
    VariantInit(&variant);
    ASSERT_TRUE(CreateByteSafeArrayVariant(bytes.data(), static_cast<int32_t>(bytes.size()), &variant));
    EXPECT_EQ(VT_ARRAY | VT_UI1, variant.vt);
    EXPECT_EQ(6, GetSafeArraySize(variant.parray));
    BYTE* copy = nullptr;
    int32_t size = 0;
    ASSERT_TRUE(CopySafeArrayToBuffer(variant.parray, copy, size, true));
    EXPECT_EQ(bytes, std::vector<BYTE>(copy, copy + size));
    delete[] copy;

    // Without the allocate flag the size must match, else nothing is copied.
    std::vector<BYTE> target(5, 0xAA);
    BYTE* into = target.data();
    int32_t wrongSize = 5;
    EXPECT_FALSE(CopySafeArrayToBuffer(variant.parray, into, wrongSize, false));
    EXPECT_EQ(std::vector<BYTE>(5, 0xAA), target);
    target.assign(6, 0xAA);
    into = target.data();
    int32_t rightSize = 6;
    EXPECT_TRUE(CopySafeArrayToBuffer(variant.parray, into, rightSize, false));
    EXPECT_EQ(bytes, target);
    VariantClear(&variant);

    BYTE* none = target.data();
    int32_t noneSize = 3;
    EXPECT_FALSE(CopySafeArrayToBuffer(nullptr, none, noneSize, true));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(0, noneSize);
    EXPECT_FALSE(CreateByteSafeArrayVariant(nullptr, 4, &variant));
    EXPECT_EQ(VT_EMPTY, variant.vt);
}

TEST(TimerDispatcher, CallsTheEntryOfItsIdAndPassesEveryTimerOn)
{
    g_calls = 0;
    int value = 0;
    CTimerDispatcher dispatcher;
    ASSERT_TRUE(dispatcher.AddTimer(5, 10, &CountCall, &value));
    EXPECT_FALSE(dispatcher.OnTimer(99));  // unknown: nothing called, passed on
    EXPECT_EQ(0, g_calls);
    EXPECT_FALSE(dispatcher.OnTimer(5));
    EXPECT_EQ(1, g_calls);
    EXPECT_EQ(&value, g_lastValue);
    // Through the window: the clock passes the due time, the queue delivers.
    AdvanceClock(20);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(2, g_calls);
    dispatcher.KillAllTimers();
    EXPECT_EQ(0, dispatcher.GetTimerCount());
    AdvanceClock(20);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(MyToolTip, TimerHidesAndPaintDrawsOneLine)
{
    CMyToolTip tip;
    ASSERT_TRUE(tip.Create("Zoom in", RECT{10, 10, 90, 30}));
    EXPECT_FALSE(tip.IsHidden());
    EXPECT_EQ(1, SendMessageA(tip.GetWindow(), WM_ERASEBKGND, 0, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    tip.Paint(dc);
    const std::vector<RecordedText> texts = GetRecordedTexts(dc);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("Zoom in", texts[0].text);
    EXPECT_EQ(DT_SINGLELINE, texts[0].format);
    DeleteDC(dc);
    SendMessageA(tip.GetWindow(), WM_TIMER, CMyToolTip::kHideTimerId + 1, 0);
    EXPECT_FALSE(tip.IsHidden());
    SendMessageA(tip.GetWindow(), WM_TIMER, CMyToolTip::kHideTimerId, 0);
    EXPECT_TRUE(tip.IsHidden());
    RECT rect{};
    GetWindowRect(tip.GetWindow(), &rect);
    EXPECT_EQ(-100, rect.left);
    EXPECT_EQ(-100, rect.top);
    EXPECT_EQ(rect.left, rect.right);
}

TEST(ViewerTables, StartupTables)
{
    const auto& commands = GetViewerCommands();
    ASSERT_EQ(15u, commands.size());
    EXPECT_STREQ("&Pan", commands.at(1).caption.GetText());
    EXPECT_STREQ("25%", commands.at(13).caption.GetText());
    EXPECT_STREQ("Zoom &Selected", commands.at(15).caption.GetText());
    EXPECT_EQ(-1, commands.at(2).image);
    ASSERT_EQ(18u, GetViewerTools().size());
    EXPECT_EQ("Rotate", GetViewerTools().back().name);
    EXPECT_EQ(nullptr, ImageList().GetHandle());
    EXPECT_FALSE(ToolTip().IsHidden());
}
