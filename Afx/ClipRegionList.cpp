#include "Afx/ClipRegionList.h"

#include "platform/gdi/Regions.h"

namespace ZAV {

void CClipRegionList::PushRect(HDC dc, const RECT& rect, int argument, int combineMode)
{
    m_entries.push_back(Entry{boost::shared_ptr<CAPIPointsBase>(new CAPIRect(rect)), argument, combineMode});
    Apply(dc);
}

void CClipRegionList::Pop(HDC dc)
{
    if (!m_entries.empty())
        m_entries.pop_back();
    Apply(dc);
}

void CClipRegionList::Apply(HDC dc)
{
    if (!dc)
        return;
    SelectClipRgn(dc, nullptr);
    for (Entry& entry : m_entries)
        ExtSelectClipRgn(dc, entry.shape->GetRegion(entry.argument), entry.combineMode);
}

}  // namespace ZAV
