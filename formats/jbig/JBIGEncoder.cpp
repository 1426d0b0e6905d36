#include "formats/jbig/JBIGEncoder.h"

#include "formats/jbig/JbigKit.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeMemory = 10;
constexpr int kCodeInvert = 19;
constexpr int kCodeWrite = 21;

// Where JBIG-KIT's output goes. Nothing may be thrown through JBIG-KIT's
// frames, so a failed write is recorded and reported after the call.
struct JbigOutput {
    IDataSource* target = nullptr;
    uint64_t written = 0;
    bool failed = false;
};

void WriteOutput(unsigned char* start, size_t length, void* user)
{
    JbigOutput& output = *static_cast<JbigOutput*>(user);
    if (output.failed)
        return;
    try {
        output.failed = !output.target->Write(start, length);
    } catch (...) {
        output.failed = true;
    }
    if (!output.failed)
        output.written += length;
}

// JBIG-KIT's encoder state, freed with the holder.
class CJbigEncodeState {
public:
    // JBIG-KIT keeps the address of the plane list until it is freed.
    CJbigEncodeState(CZAVImg& image, unsigned char* plane, JbigOutput& output) : m_planes{plane}
    {
        jbg_enc_init(&m_state, static_cast<unsigned long>(image.GetWidth()),
                     static_cast<unsigned long>(image.GetHeight()), 1, m_planes, WriteOutput, &output);
    }
    ~CJbigEncodeState() { jbg_enc_free(&m_state); }
    CJbigEncodeState(const CJbigEncodeState&) = delete;
    CJbigEncodeState& operator=(const CJbigEncodeState&) = delete;

    void Encode() { jbg_enc_out(&m_state); }

private:
    unsigned char* m_planes[1];
    jbg_enc_state m_state{};
};

}  // namespace

unsigned char* CJBIGEncoder::BlackIsOnePlane()
{
    CZAVImg& image = *GetImage();
    unsigned char* pixels = static_cast<unsigned char*>(image.GetImageDataChecked());
    if (image.GetPalette().IsInverted())
        return pixels;
    const size_t size = static_cast<size_t>(image.GetImageSize());
    HGLOBAL copy = GlobalAlloc(GPTR, size);
    if (!copy)
        ThrowError(kCodeMemory, "Out of memory!");
    m_inverted.Attach(copy);
    std::memcpy(copy, pixels, size);
    CImgKernels kernels;
    if (!kernels.InvertBitonal(static_cast<BYTE*>(copy), image.GetBytesPerLine(), image.GetHeight()))
        ThrowError(kCodeInvert, kernels.GetErrorText().GetText());
    return static_cast<unsigned char*>(copy);
}

int CJBIGEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* image = GetImage();
    if (!image || image->GetBitsPerPixel() != 1)
        ThrowTextException("Encoding JBIG: Illegal bpp value. Require 1bit black&white image for JBIG!");
    if (!target)
        ThrowError(kCodeWrite, "Error writing to file!");
    unsigned char* plane = BlackIsOnePlane();
    JbigOutput output;
    output.target = target;
    {
        CJbigEncodeState state(*image, plane, output);
        state.Encode();
    }
    if (output.failed)
        ThrowError(kCodeWrite, "Error writing to file!");
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(output.written);
    return 1;
}

}  // namespace ZAV
