// The image onto the clipboard as a packed DIB, which the clipboard then
// owns. A clipboard that can't be opened fails with the text the clipboard
// facet shows for it.
#include "foundation/text/TextException.h"
#include "image/core/GlobalMemBlock.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

void CZAVImg::CopyToClipboard()
{
    CGlobalHandle dib;
    try {
        CreateDIB(nullptr, dib);
    } catch (const CTextException& error) {
        ThrowTextException((String("Error copying the HBITMAP!") + error.GetText()).GetText());
    }
    if (!CImgKernels::PutDibOnClipboard(static_cast<HWND>(m_clipboardWindow), dib, 0))
        ThrowTextException("Error copying to the Clipboard!");
}

}  // namespace ZAV
