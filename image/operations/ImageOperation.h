// The frame every image operation runs in: a kernel context with the
// image's progress sink, the layout snapshot, and the rule that turns a
// kernel's 0 into one exception naming the operation.
#pragma once

#include "image/core/ImageLayoutSnapshot.h"
#include "image/kernels/ImgKernels.h"

namespace ZAV {

class CZAVImg;

class CImageOperation {
public:
    explicit CImageOperation(CZAVImg& image);
    CImgKernels& Kernels() { return m_kernels; }
    // Throws the prefix and the kernel's text after a 0; a cancel throws
    // the cancel text alone so callers tell it from a fault.
    void Check(int result, const char* prefix, bool withKernelText = true);
    // The same for a kernel of its own context (the matrix kernels).
    void Check(int result, const char* prefix, const String& kernelText);
    // A copy of the image's pixels for a kernel that works in place; it
    // replaces the pixels only through Install.
    void CopyPixels(CGlobalMemBlock& copy) const;
    // Installs the new block, then releases the extras and tells the sink.
    void Install(CGlobalMemBlock& block, int width, int height, int bitsPerPixel);
    // Installs the pixels, palette and resolution of a work image that an
    // operation of several steps has finished.
    void InstallFrom(CZAVImg& work);
    void Finish();

private:
    CZAVImg& m_image;
    CImgKernels m_kernels;
    CImageLayoutSnapshot m_snapshot;
};

// Throws the text alone.
[[noreturn]] void ThrowOperationText(const char* text);

}  // namespace ZAV
