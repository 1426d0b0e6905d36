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
    if (result != 0)
        return;
    const String& kernelText = m_kernels.GetErrorText();
    if (std::strcmp(kernelText.GetText(), kTextOperationCanceled) == 0)
        ThrowTextException(kTextOperationCanceled);
    String text(prefix);
    if (withKernelText)
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

void CImageOperation::Finish()
{
    m_image.ReleaseExtras();
    m_snapshot.Commit();
}

}  // namespace ZAV
