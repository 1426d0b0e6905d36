#include "platform/gdi/Objects.h"

#include "platform/gdi/DibPixels.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Palettes.h"

#include <cstring>
#include <map>
#include <mutex>

using namespace ZAV::Gdi;

namespace {

std::unique_ptr<Object> MakeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH: {
        static const COLORREF greys[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0, 0xFFFFFF};
        auto brush = std::make_unique<Brush>();
        brush->colour = greys[index];
        brush->nullBrush = index == NULL_BRUSH;
        return brush;
    }
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN: {
        auto pen = std::make_unique<Pen>();
        pen->colour = index == WHITE_PEN ? 0xFFFFFF : 0;
        pen->style = index == NULL_PEN ? PS_NULL : PS_SOLID;
        return pen;
    }
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: {
        auto font = std::make_unique<Font>();
        font->logFont.lfHeight = 16;
        std::strcpy(font->logFont.lfFaceName, "monospace");
        return font;
    }
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT: {
        auto font = std::make_unique<Font>();
        font->logFont.lfHeight = 16;
        std::strcpy(font->logFont.lfFaceName, index == SYSTEM_FONT ? "System" : "sans-serif");
        return font;
    }
    case DEFAULT_PALETTE: {
        auto palette = std::make_unique<Palette>();
        palette->entries = DefaultPaletteEntries();
        return palette;
    }
    case kStockMonoBitmap:
        return MakeDeviceBitmap(1, 1, 1);
    default:
        return nullptr;
    }
}

int BitmapInfo(const Bitmap& bitmap, int size, void* out)
{
    if (!out)
        return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    BITMAP info{};
    info.bmWidth = bitmap.width;
    info.bmHeight = bitmap.height;
    info.bmPlanes = 1;
    info.bmBitsPixel = bitmap.bitsPixel;
    if (bitmap.dibSection) {
        info.bmWidthBytes = static_cast<LONG>(DibStride(bitmap.width, bitmap.bitsPixel));
        info.bmBits = bitmap.dibBits.get();
    } else {
        // device bitmaps pad rows to 16 bits
        info.bmWidthBytes = ((bitmap.width * bitmap.bitsPixel + 15) / 16) * 2;
    }
    std::memcpy(out, &info, sizeof info);
    return sizeof(BITMAP);
}

int CopyOut(const void* value, int valueSize, int size, void* out)
{
    if (!out)
        return valueSize;
    if (size < valueSize)
        return 0;
    std::memcpy(out, value, valueSize);
    return valueSize;
}

}  // namespace

HGDIOBJ GetStockObject(int index)
{
    static std::mutex lock;
    static std::map<int, HGDIOBJ> made;
    std::lock_guard<std::mutex> guard(lock);
    auto it = made.find(index);
    if (it != made.end())
        return it->second;
    std::unique_ptr<Object> object = MakeStock(index);
    if (!object)
        return nullptr;
    object->stock = true;
    HGDIOBJ handle = Register(std::move(object));
    made[index] = handle;
    return handle;
}

BOOL DeleteObject(HGDIOBJ handle)
{
    Object* object = Find(handle);
    if (!object || object->kind == Kind::DC)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (object->kind == Kind::Bitmap && static_cast<Bitmap*>(object)->selectedInto)
        return FALSE;
    return Destroy(handle) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ handle, int size, void* out)
{
    Object* object = Find(handle);
    if (!object)
        return 0;
    switch (object->kind) {
    case Kind::Bitmap:
        return BitmapInfo(*static_cast<Bitmap*>(object), size, out);
    case Kind::Palette: {
        const WORD count = static_cast<WORD>(static_cast<Palette*>(object)->entries.size());
        return CopyOut(&count, sizeof count, size, out);
    }
    case Kind::Font: {
        const LOGFONTA& font = static_cast<Font*>(object)->logFont;
        return CopyOut(&font, sizeof font, size, out);
    }
    default:
        return 0;
    }
}
