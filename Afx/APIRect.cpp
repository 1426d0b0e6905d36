#include "Afx/APIRect.h"

#include "platform/gdi/Objects.h"
#include "platform/gdi/Regions.h"

namespace ZAV {

CAPIPointsBase::~CAPIPointsBase()
{
    if (m_region)
        DeleteObject(m_region);
}

HRGN CAPIRect::GetRegion(int)
{
    if (!m_region)
        m_region = CreateRectRgn(m_left, m_top, m_right, m_bottom);
    return m_region;
}

}  // namespace ZAV
