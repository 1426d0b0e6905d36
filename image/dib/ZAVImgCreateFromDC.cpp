// An image made from a rectangle of a device context (the screen when none
// is given): a compatible bitmap is blitted from it and read back as 24 bits.
#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

void CZAVImg::CreateFromDC(HDC dc, int x, int y, int width, int height)
{
    CImgKernels kernels;
    HGLOBAL pixels = dc ? kernels.DCToImage(dc, x, y, width, height) : kernels.ScreenBitmapToImage(x, y, width, height);
    if (!pixels)
        ThrowTextException((String("Error creating Image! ") + kernels.GetErrorText()).GetText());
    AdoptCreatedPixels(pixels, width, height, 24);
}

}  // namespace ZAV
