#include "foundation/window/ImageList.h"

namespace ZAV {

CImageList::~CImageList()
{
    if (m_list)
        ImageList_Destroy(m_list);
}

void CImageList::Attach(HIMAGELIST list)
{
    if (m_list && m_list != list)
        ImageList_Destroy(m_list);
    m_list = list;
}

}  // namespace ZAV
