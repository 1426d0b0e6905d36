#include "Afx/SelectObjectGuard.h"

#include "platform/gdi/DeviceContexts.h"

namespace ZAV {

void CSelectObjectGuard::Select(HDC dc, HGDIOBJ object)
{
    Restore();
    m_dc = dc;
    m_object = object;
    m_replaced = SelectObject(dc, object);
    m_active = true;
}

void CSelectObjectGuard::Restore()
{
    if (!m_active)
        return;
    SelectObject(m_dc, m_replaced);
    m_dc = nullptr;
    m_object = nullptr;
    m_replaced = nullptr;
    m_active = false;
}

}  // namespace ZAV
