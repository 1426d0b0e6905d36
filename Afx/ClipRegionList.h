// A stack of clip shapes applied to a DC in push order: popping the last
// one re-applies the rest from no clip at all.
#pragma once

#include "Afx/APIRect.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace ZAV {

class CClipRegionList {
public:
    struct Entry {
        boost::shared_ptr<CAPIPointsBase> shape;
        int argument;
        int combineMode;
    };

    void PushRect(HDC dc, const RECT& rect, int argument, int combineMode);
    // Removes the last entry (if any) and applies the list again.
    void Pop(HDC dc);
    // No clip, then each entry's region with its combine mode; nothing for
    // a null DC.
    void Apply(HDC dc);
    size_t GetCount() const { return m_entries.size(); }

private:
    std::vector<Entry> m_entries;
};

}  // namespace ZAV
