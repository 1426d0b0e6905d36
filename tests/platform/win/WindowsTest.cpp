#include "platform/win/Clipboard.h"
#include "platform/win/Resources.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"
#include "platform/GlobalMem.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<UINT> g_seen;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_seen.push_back(message == WM_TIMER ? static_cast<UINT>(1000 + wParam) : message);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* text)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "ZAVTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ZAVTestWindow", text, 0, 10, 20, 30, 40, nullptr, nullptr, nullptr, nullptr);
}

void PumpAll()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

TEST(Windows, TimersPostWhenTheClockAdvancesAndWindowsKeepTheirState)
{
    g_seen.clear();
    HWND window = MakeWindow("Tip text");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_CREATE});
    char text[5];
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 4);
    EXPECT_STREQ(text, "Tip ");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 30);
    EXPECT_EQ(client.bottom, 40);
    MoveWindow(window, -100, -100, 0, 0, TRUE);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 0);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ReleaseDC(window, dc), 1);

    g_seen.clear();
    ASSERT_EQ(SetTimer(window, 22, 100, nullptr), 22u);
    ZAV::AdvanceClock(99);
    PumpAll();
    EXPECT_TRUE(g_seen.empty());
    ZAV::AdvanceClock(250);  // missed periods come as one message
    PumpAll();
    EXPECT_EQ(g_seen, std::vector<UINT>{1022});
    EXPECT_TRUE(KillTimer(window, 22));
    ZAV::AdvanceClock(500);
    PumpAll();
    EXPECT_EQ(g_seen.size(), 1u);
    EXPECT_FALSE(KillTimer(window, 22));

    g_seen.clear();
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_DESTROY});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
}

TEST(Windows, CursorsAndResourcesComeFromTheModuleTable)
{
    HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_ARROW));
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_ARROW)), arrow);
    EXPECT_NE(LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_CROSS)), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(40206)), nullptr);

    int moduleTag = 0;
    HMODULE module = &moduleTag;
    EXPECT_EQ(LoadCursorA(module, MAKEINTRESOURCEA(40206)), nullptr);
    ZAV::AddModuleResource(module, RT_CURSOR, 40206, {1, 2});
    ZAV::AddModuleResource(module, RT_RCDATA, 7, {9, 8, 7});
    EXPECT_NE(LoadCursorA(module, MAKEINTRESOURCEA(40206)), nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(7), MAKEINTRESOURCEA(RT_RCDATA));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 3u);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    EXPECT_EQ(bytes[2], 7);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(8), MAKEINTRESOURCEA(RT_RCDATA)), nullptr);
    ZAV::ClearModuleResources(module);
    EXPECT_EQ(LoadCursorA(module, MAKEINTRESOURCEA(40206)), nullptr);
    EXPECT_FALSE(ImageList_Destroy(nullptr));
}

TEST(Clipboard, OwnsWhatIsSetAndMakesDibsFromBitmaps)
{
    ZAV::ClipboardKnobs().open = true;
    EXPECT_FALSE(OpenClipboard(nullptr));
    ZAV::ClipboardKnobs().open = false;
    HGLOBAL refused = GlobalAlloc(GHND, 1);
    EXPECT_EQ(SetClipboardData(CF_DIB, refused), nullptr);  // not open: the caller keeps it
    GlobalFree(refused);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));  // already open
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    HGLOBAL dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, 3);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(GlobalSize(dib), 40u + 2 * 12);
    GlobalUnlock(dib);
    EXPECT_TRUE(EmptyClipboard());  // frees the bitmap and the DIB made from it
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardData(CF_DIB), nullptr);  // closed
}
