#include "platform/SysColor.h"

namespace {

struct SystemColorEntry {
    int index;
    COLORREF color;
};

// The classic light scheme: a pale gray face, black text on pale yellow tips.
constexpr SystemColorEntry kSystemColors[] = {
    {COLOR_BTNFACE, RGB(240, 240, 240)},
    {COLOR_INFOTEXT, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(255, 255, 225)},
};

bool FindSystemColor(int index, COLORREF& color)
{
    for (const SystemColorEntry& entry : kSystemColors) {
        if (entry.index == index) {
            color = entry.color;
            return true;
        }
    }
    return false;
}

}  // namespace

COLORREF GetSysColor(int index)
{
    COLORREF color = 0;
    FindSystemColor(index, color);
    return color;
}

HRESULT OleTranslateColor(OLE_COLOR color, void* /*palette*/, COLORREF* out)
{
    if ((color & 0xFF000000u) == 0) {
        if (out)
            *out = color;
        return S_OK;
    }
    COLORREF resolved = 0;
    if ((color & 0xFF000000u) != kOleSystemColorFlag || !FindSystemColor(static_cast<int>(color & 0xFFFFFF), resolved))
        return E_INVALIDARG;
    if (out)
        *out = resolved;
    return S_OK;
}
