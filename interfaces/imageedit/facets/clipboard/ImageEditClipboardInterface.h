// The image to and from the clipboard.
#pragma once

namespace ZAV {

class IZAVImageEditClipboardCpp {
public:
    // The clipboard's picture (a metafile or a bitmap) becomes the image.
    virtual void PasteFromClipboard() = 0;
    // The image goes onto the emptied clipboard as a bitmap.
    virtual void CopyToClipboard() = 0;

protected:
    ~IZAVImageEditClipboardCpp() = default;
};

}  // namespace ZAV
