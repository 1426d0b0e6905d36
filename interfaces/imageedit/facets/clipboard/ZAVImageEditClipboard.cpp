#include "interfaces/imageedit/facets/clipboard/ZAVImageEditClipboard.h"

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

void CZAVImageEditClipboard::PasteFromClipboard()
{
    m_owner->GetImage().PasteFromClipboard();
}

void CZAVImageEditClipboard::CopyToClipboard()
{
    m_owner->GetImage().CopyToClipboard();
}

}  // namespace ZAV
