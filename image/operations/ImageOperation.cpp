#include "image/operations/ImageOperation.h"

#include <cstring>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

void ThrowOperationText(const char* text)
{
    ThrowTextException(text);
}

CImageOperation::CImageOperation(CZAVImg& image) : m_image(image), m_kernels(image.GetNotification()), m_snapshot(image)
{
}

void CImageOperation::Check(int result, const char* prefix, bool withKernelText)
{
    Check(result, prefix, withKernelText ? m_kernels.GetErrorText() : String());
}

void CImageOperation::Check(int result, const char* prefix, const String& kernelText)
{
    if (result != 0)
        return;
    if (std::strcmp(m_kernels.GetErrorText().GetText(), kTextOperationCanceled) == 0 ||
        std::strcmp(kernelText.GetText(), kTextOperationCanceled) == 0)
        ThrowTextException(kTextOperationCanceled);
    String text(prefix);
    text += kernelText;
    ThrowTextException(text.GetText());
}

void CImageOperation::CopyPixels(CGlobalMemBlock& copy) const
{
    const CGlobalMemBlock* block = m_image.GetDataBlock();
    if (!block || !block->GetHandle())
        ThrowTextException("Error");
    block->CopyTo(copy, GPTR);
}

void CImageOperation::Install(CGlobalMemBlock& block, int width, int height, int bitsPerPixel)
{
    m_image.InstallPixels(block, width, height, bitsPerPixel);
    Finish();
}

void CImageOperation::InstallFrom(CZAVImg& work)
{
    const int width = work.GetWidth();
    const int height = work.GetHeight();
    const int depth = work.GetBitsPerPixel();
    CGlobalMemBlock block;
    block.Attach(work.DetachImageData());
    m_image.GetPalette() = work.GetPalette();
    m_image.SetXResolution(work.GetXResolution());
    m_image.SetYResolution(work.GetYResolution());
    Install(block, width, height, depth);
}

void CImageOperation::Finish()
{
    m_image.ReleaseExtras();
    m_snapshot.Commit();
}

}  // namespace ZAV
