// An image made from a device bitmap: the bitmap is read back as a DIB
// through the screen DC and becomes 24 bits whatever its own depth.
#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

void CZAVImg::CreateFromBitmapHandle(HBITMAP bitmap, HPALETTE palette)
{
    CImgKernels kernels;
    int width = 0;
    int height = 0;
    HGLOBAL pixels = kernels.BitmapToImage(bitmap, width, height, nullptr, palette);
    if (!pixels)
        ThrowTextException((String("Error creating Image! ") + kernels.GetErrorText()).GetText());
    AdoptCreatedPixels(pixels, width, height, 24);
}

}  // namespace ZAV
