// A system colour as an OLE colour and the COLORREF it resolves to.
#pragma once

#include "platform/SysColor.h"

namespace ZAV {

struct CSystemColor {
    OLE_COLOR oleColor = 0;
    COLORREF color = 0;

    // Stores 0x80000000 + index and resolves it without a palette.
    void SetSystemColor(int index)
    {
        oleColor = kOleSystemColorFlag + static_cast<OLE_COLOR>(index);
        color = 0;
        OleTranslateColor(oleColor, nullptr, &color);
    }
};

}  // namespace ZAV
