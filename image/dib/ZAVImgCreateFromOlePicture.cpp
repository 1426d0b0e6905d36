// An image made from an OLE picture: its bitmap and palette go through the
// bitmap creation, and the picture is held so that it lives as long as the
// image made from it.
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "platform/ole/Pictures.h"

namespace ZAV {

namespace {

constexpr char kOlePictureFailure[] = "Can't create Image from OLEPicture object!";

}  // namespace

void CZAVImg::CreateFromOlePicture(IPicture* picture)
{
    HANDLE bitmap = nullptr;
    HPALETTE palette = nullptr;
    LONG width = 0;
    LONG height = 0;
    if (!picture || FAILED(picture->get_Handle(&bitmap)) || FAILED(picture->get_hPal(&palette)) ||
        FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height)) || !bitmap)
        ThrowTextException(kOlePictureFailure);
    try {
        CreateFromBitmapHandle(static_cast<HBITMAP>(bitmap), palette);
    } catch (const CTextException&) {
        ThrowTextException(kOlePictureFailure);
    }
    SetOlePicture(picture);
}

}  // namespace ZAV
