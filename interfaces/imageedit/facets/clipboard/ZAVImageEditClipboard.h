// The Clipboard facet: the image's clipboard operations.
#pragma once

#include "interfaces/imageedit/facets/clipboard/ImageEditClipboardInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditClipboard : public IZAVImageEditClipboardCpp {
public:
    explicit CZAVImageEditClipboard(CZAVImageEdit* owner) : m_owner(owner) {}

    void PasteFromClipboard() override;
    void CopyToClipboard() override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
