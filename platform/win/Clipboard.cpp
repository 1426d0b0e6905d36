#include "platform/win/Clipboard.h"

#include "platform/GlobalMem.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/Objects.h"

#include <cstring>
#include <map>
#include <mutex>

namespace {

struct ClipboardStore {
    std::recursive_mutex lock;
    bool open = false;
    std::map<UINT, HANDLE> data;
};

ClipboardStore& Store()
{
    static ClipboardStore* store = new ClipboardStore;
    return *store;
}

void FreeData(UINT format, HANDLE data)
{
    if (format == CF_BITMAP)
        DeleteObject(data);
    else if (format == CF_ENHMETAFILE)
        DeleteEnhMetaFile(data);
    else
        GlobalFree(data);
}

// A packed DIB (header, colour table, bits) of the bitmap: monochrome ones
// at 1 bit, all others at 24.
HGLOBAL DibFromBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return nullptr;
    const WORD bits = info.bmBitsPixel == 1 ? 1 : 24;
    const size_t table = bits == 1 ? 2 * sizeof(RGBQUAD) : 0;
    const size_t image = ZAV::Gdi::DibStride(info.bmWidth, bits) * static_cast<size_t>(info.bmHeight);
    HGLOBAL block = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + table + image);
    if (!block)
        return nullptr;
    auto* header = static_cast<BITMAPINFO*>(GlobalLock(block));
    header->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), info.bmWidth, info.bmHeight, 1, bits, BI_RGB,
                                         static_cast<DWORD>(image), 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight),
                               reinterpret_cast<uint8_t*>(header) + sizeof(BITMAPINFOHEADER) + table, header,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    header->bmiHeader.biClrUsed = 0;
    GlobalUnlock(block);
    if (rows != info.bmHeight) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

}  // namespace

namespace ZAV {

ClipboardFailureKnobs& ClipboardKnobs()
{
    static ClipboardFailureKnobs knobs;
    return knobs;
}

}  // namespace ZAV

BOOL OpenClipboard(HWND)
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    if (ZAV::ClipboardKnobs().open || Store().open)
        return FALSE;
    Store().open = true;
    return TRUE;
}

BOOL CloseClipboard()
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    if (!Store().open)
        return FALSE;
    Store().open = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    if (!Store().open)
        return FALSE;
    for (const auto& entry : Store().data)
        FreeData(entry.first, entry.second);
    Store().data.clear();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    if (!Store().open || !data)
        return nullptr;
    auto it = Store().data.find(format);
    if (it != Store().data.end() && it->second != data)
        FreeData(format, it->second);
    Store().data[format] = data;
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    if (!Store().open)
        return nullptr;
    auto it = Store().data.find(format);
    if (it != Store().data.end())
        return it->second;
    auto bitmap = Store().data.find(CF_BITMAP);
    if (format != CF_DIB || bitmap == Store().data.end())
        return nullptr;
    HGLOBAL dib = DibFromBitmap(bitmap->second);
    if (dib)
        Store().data[CF_DIB] = dib;
    return dib;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    std::lock_guard<std::recursive_mutex> guard(Store().lock);
    const bool present = Store().data.count(format) != 0;
    const bool madeOnRequest = format == CF_DIB && Store().data.count(CF_BITMAP) != 0;
    return present || madeOnRequest ? TRUE : FALSE;
}
