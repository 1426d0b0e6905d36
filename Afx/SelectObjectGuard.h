// Selects an object into a DC and puts back what it replaced.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

class CSelectObjectGuard {
public:
    CSelectObjectGuard() = default;
    CSelectObjectGuard(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ~CSelectObjectGuard() { Restore(); }
    CSelectObjectGuard(const CSelectObjectGuard&) = delete;
    CSelectObjectGuard& operator=(const CSelectObjectGuard&) = delete;

    // Restores an earlier selection first.
    void Select(HDC dc, HGDIOBJ object);
    void Restore();

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_object = nullptr;
    HGDIOBJ m_replaced = nullptr;
    bool m_active = false;
};

}  // namespace ZAV
