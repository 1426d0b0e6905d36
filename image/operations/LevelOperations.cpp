// Histograms, automatic levels and contrast, colour layers, the adaptive
// threshold and the contour image.
#include <algorithm>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr int kEntries8 = 256;
constexpr int kEntries16 = 65536;
constexpr int kLuminance = 1;
constexpr int kContourBlendMode = 2;  // darken: where brushes meet the nearer distance stays

bool IsLevelDepth(int depth)
{
    return depth == 8 || depth == 16 || depth == 24 || depth == 48;
}

// The kernels of one level operation by depth: 8, 16, 24 and 48 bits.
using LevelKernel = int (CImgKernels::*)(BYTE*, int, int, double, double);
struct LevelKernels {
    LevelKernel depth8;
    LevelKernel depth16;
    LevelKernel depth24;
    LevelKernel depth48;
};

// Runs the depth's kernel on a copy of the pixels, which replaces them only
// on success.
void RunLevelKernel(CZAVImg& image, const LevelKernels& kernels, double lowPercent, double highPercent,
                    const char* failure, bool withKernelText)
{
    if (!image.HasImage())
        return;
    const int depth = image.GetBitsPerPixel();
    if (!IsLevelDepth(depth))
        ThrowTextException("Requires 8bpp grayscale or 24bpp Image!");
    const LevelKernel kernel = depth == 8    ? kernels.depth8
                               : depth == 16 ? kernels.depth16
                               : depth == 24 ? kernels.depth24
                                             : kernels.depth48;
    CImageOperation operation(image);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    const int result = (operation.Kernels().*kernel)(copy.GetData<BYTE>(), image.GetWidth(), image.GetHeight(),
                                                     lowPercent, highPercent);
    operation.Check(result, failure, withKernelText);
    operation.Install(copy, image.GetWidth(), image.GetHeight(), depth);
}

// The overlay blend mode set for one call and put back however it ends.
class CBlendModeFor {
public:
    CBlendModeFor(int32_t& mode, int32_t value) : m_mode(mode), m_saved(mode) { m_mode = value; }
    ~CBlendModeFor() { m_mode = m_saved; }
    CBlendModeFor(const CBlendModeFor&) = delete;
    CBlendModeFor& operator=(const CBlendModeFor&) = delete;

private:
    int32_t& m_mode;
    int32_t m_saved;
};

}  // namespace

void CZAVImg::GetHistogram(std::vector<uint32_t>& gray, std::vector<uint32_t>& red, std::vector<uint32_t>& green,
                           std::vector<uint32_t>& blue, int& entries)
{
    gray.clear();
    red.clear();
    green.clear();
    blue.clear();
    entries = 0;
    const int depth = m_bitsPerPixel;
    if (depth == 1)
        ThrowTextException("Requires 8bpp or 24bpp Image!");
    if (!IsLevelDepth(depth) || !GetImageData())
        ThrowTextException("Error");
    const int count = depth == 8 || depth == 24 ? kEntries8 : kEntries16;
    for (std::vector<uint32_t>* counts : {&gray, &red, &green, &blue})
        counts->assign(static_cast<size_t>(count), 0);
    CImgKernels kernels(GetNotification());
    const BYTE* pixels = static_cast<const BYTE*>(GetImageData());
    int result = 0;
    if (depth == 8)
        result = kernels.Histogram8(pixels, m_width, m_height, gray.data());
    else if (depth == 16)
        result = kernels.Histogram16(pixels, m_width, m_height, gray.data());
    else if (depth == 24)
        result = kernels.Histogram24(pixels, m_width, m_height, gray.data(), red.data(), green.data(), blue.data(),
                                     kLuminance);
    else
        result = kernels.Histogram48(pixels, m_width, m_height, gray.data(), red.data(), green.data(), blue.data(),
                                     kLuminance);
    if (!result)
        ThrowTextException(kernels.GetErrorText().GetText());
    entries = count;
}

void CZAVImg::AdjustColors(const int* layer1, COLORREF color1, const int* layer2, COLORREF color2, const int* layer3,
                           COLORREF color3, const int* layer4, COLORREF color4)
{
    const int depth = m_bitsPerPixel;
    if (depth == 1 || depth == 8)
        ThrowTextException("Requires 24bpp Image!");
    if (depth != 24 || !GetImageData())
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().AdjustColors(copy.GetData<BYTE>(), m_width, m_height, layer1, color1, layer2,
                                                     color2, layer3, color3, layer4, color4),
                    "");
    operation.Install(copy, m_width, m_height, 24);
}

void CZAVImg::AutoLevels(double lowPercent, double highPercent)
{
    const LevelKernels kernels = {&CImgKernels::AutoLevels8, &CImgKernels::AutoLevels16, &CImgKernels::AutoLevels24,
                                  &CImgKernels::AutoLevels48};
    RunLevelKernel(*this, kernels, lowPercent, highPercent, "Invalid colorformat!", false);
}

void CZAVImg::AutoContrast(double lowPercent, double highPercent)
{
    const LevelKernels kernels = {&CImgKernels::AutoContrast8, &CImgKernels::AutoContrast16,
                                  &CImgKernels::AutoContrast24, &CImgKernels::AutoContrast48};
    RunLevelKernel(*this, kernels, lowPercent, highPercent, "", true);
}

void CZAVImg::AdaptiveThreshold(int windowWidth, int windowHeight, int offset)
{
    const int depth = m_bitsPerPixel;
    if (depth == 1 || depth == 24)
        ThrowTextException("Requires 8bpp grayscale Image!");
    if (depth != 8 || !GetImageData())
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock target;
    target.Alloc(GPTR, CalcImageSize(m_width, m_height, 8));
    operation.Check(operation.Kernels().AdaptiveThreshold(static_cast<const BYTE*>(GetImageData()), m_width, m_height,
                                                          windowWidth, windowHeight, offset, target.GetData<BYTE>()),
                    "");
    operation.Install(target, m_width, m_height, 8);
}

void CZAVImg::CreateContourImage(int size, const BYTE* profile, int profileLength)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth == 1 || depth == 24)
        ThrowTextException("Requires 8bpp grayscale Images! Please convert it to grayscale format.");
    if (depth != 8)
        ThrowTextException("Error");
    m_errorText = String();
    CImageOperation operation(*this);
    CGlobalMemBlock target;
    target.Alloc(GPTR, CalcImageSize(m_width, m_height, 8));
    BYTE* darken = nullptr;
    {
        CBlendModeFor mode(m_overlayBlendMode, kContourBlendMode);
        GetBlendTable(darken);
    }
    operation.Check(operation.Kernels().CreateContourImage(static_cast<const BYTE*>(GetImageData()), m_width, m_height,
                                                           size, profile, profileLength, darken,
                                                           target.GetData<BYTE>()),
                    "Error creating contour Image! ");
    operation.Install(target, m_width, m_height, 8);
}

}  // namespace ZAV
