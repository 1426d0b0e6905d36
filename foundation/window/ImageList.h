// CImageList: the owner of one image-list handle.
#pragma once

#include "platform/win/Resources.h"

namespace ZAV {

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Takes the handle over; a held one is destroyed first.
    void Attach(HIMAGELIST list);
    HIMAGELIST GetHandle() const { return m_list; }

private:
    HIMAGELIST m_list = nullptr;
};

}  // namespace ZAV
