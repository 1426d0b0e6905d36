#include "platform/ScreenMetrics.h"

#include <atomic>

namespace {

std::atomic<int> g_screenDpiX{kDefaultScreenDpi};
std::atomic<int> g_screenDpiY{kDefaultScreenDpi};

}  // namespace

int GetScreenLogPixels(int index)
{
    if (index == LOGPIXELSX)
        return g_screenDpiX;
    if (index == LOGPIXELSY)
        return g_screenDpiY;
    return 0;
}

void SetScreenLogPixels(int x, int y)
{
    g_screenDpiX = x > 0 ? x : kDefaultScreenDpi;
    g_screenDpiY = y > 0 ? y : kDefaultScreenDpi;
}
