// The image object's reduction of 16-bit samples (16-bit gray, 48-bit
// colour) to 8 bits, after stretching their used range.
#include <cstdio>

#include "foundation/text/TextException.h"
#include "image/hdr/HdrProcessor.h"
#include "image/hdr/HistogramSet.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr char kTextNotHdr[] = "Requires High Dynamic Range (HDR) imagedata!";
constexpr char kTextScalingFailed[] = "Error in scaling down!";
constexpr char kTextNoProcessor[] = "Error initializing AdvancedImgProc dll!";
constexpr int kSampleBits = 16;

bool IsHdrDepth(int depth)
{
    return depth == 16 || depth == 48;
}

std::unique_ptr<IHdrProcessor> MakeProcessor()
{
    const HdrProcessorFactory factory = GetHdrProcessorFactory();
    std::unique_ptr<IHdrProcessor> processor = factory ? factory() : nullptr;
    if (!processor)
        ThrowTextException(kTextNoProcessor);
    return processor;
}

// The samples, shifted so that their significant bits fill 16 bits, are
// converted into the work image; the processors' failures come back as
// CTextException.
void ScaleDownInto(CGlobalMemBlock& samples, int64_t size, const CZAVImg& image, int shift, CZAVImg& work)
{
    std::unique_ptr<IHdrProcessor> source = MakeProcessor();
    source->AttachNoFree(samples.GetData<BYTE>(), size, image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel());
    source->Scale(shift, shift, shift, 1);
    std::unique_ptr<IHdrProcessor> target = MakeProcessor();
    target->AttachNoFree(work.GetImageData(), work.GetImageSize(), work.GetWidth(), work.GetHeight(),
                         work.GetBitsPerPixel());
    target->HDRScaleDown(*source);
}

}  // namespace

// The samples are worked on in a copy and the 8-bit result in a work image,
// so the pixels change only once the work image is filled.
void CZAVImg::ReduceHdrSamples(CImageOperation& operation, CGlobalMemBlock& samples, int bitsPerSample)
{
    CZAVImg work;
    if (!work.Create(m_width, m_height, m_bitsPerPixel == 16 ? 8 : 24))
        ThrowTextException("Error");
    try {
        ScaleDownInto(samples, GetImageSize(), *this, kSampleBits - bitsPerSample, work);
    } catch (const CTextException& e) {
        String text(kTextScalingFailed);
        text += String(e.GetText());
        ThrowTextException(text.GetText());
    }
    if (work.GetBitsPerPixel() == 8)
        work.GetPalette().CreateGrayScale();
    work.SetXResolution(GetXResolution());
    work.SetYResolution(GetYResolution());
    operation.InstallFrom(work);
}

void CZAVImg::ScaleHdr(int bitsPerSample)
{
    if (bitsPerSample < 1 || bitsPerSample > kSampleBits)
        ThrowTextException("Invalid BitsPerSample value! BitsPerSample ranges from 1 to 16.");
    if (!IsHdrDepth(m_bitsPerPixel))
        ThrowTextException(kTextNotHdr);
    CImageOperation operation(*this);
    CGlobalMemBlock samples;
    operation.CopyPixels(samples);
    ReduceHdrSamples(operation, samples, bitsPerSample);
}

void CZAVImg::ScaleHdrToRange(int low, int high)
{
    if (!IsHdrDepth(m_bitsPerPixel))
        ThrowTextException(kTextNotHdr);
    CImageOperation operation(*this);
    CGlobalMemBlock samples;
    operation.CopyPixels(samples);
    BYTE* data = samples.GetData<BYTE>();
    const int result = m_bitsPerPixel == 16 ? operation.Kernels().Stretch16(data, m_width, m_height, low, high)
                                            : operation.Kernels().Stretch48(data, m_width, m_height, low, high);
    if (!result) {
        char text[96];
        std::snprintf(text, sizeof text, "Can't scale to range %d - %d!", low, high);
        ThrowTextException(text);
    }
    ReduceHdrSamples(operation, samples, kSampleBits);
}

void CZAVImg::AutoScaleHdr()
{
    std::vector<uint32_t> gray, red, green, blue;
    int entries = 0;
    GetHistogram(gray, red, green, blue, entries);
    const CHistogramSet histograms(gray, red, green, blue, entries);
    int32_t low = 0;
    int32_t high = 0;
    histograms.GetExtent(low, high);
    ScaleHdrToRange(low, high);
}

}  // namespace ZAV
