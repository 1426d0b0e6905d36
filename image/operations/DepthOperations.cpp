// Depth conversion. Every step writes a new block; the image takes the
// last one only when all steps succeeded.
#include <set>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr char kConvertPrefix[] = "Error converting Image! ";
constexpr int kMaxPaletteEntries = 256;

bool IsConvertibleDepth(int depth)
{
    return depth == 1 || depth == 8 || depth == 24 || depth == 32;
}

// Pixels of one step of the chain with their depth and palette.
struct DepthStage {
    const BYTE* pixels = nullptr;
    int depth = 0;
    CImagePalette palette;
    CGlobalMemBlock block;
};

void TakePalette(CImagePalette& palette, int depth, const uint32_t* entries, int count)
{
    palette.Create(depth);
    for (int i = 0; i < count && i < palette.GetCount(); ++i)
        palette.SetEntry(i, entries[i]);
}

// One step between 1, 8 and 24 bits into the next stage.
int ConvertStep(CImgKernels& kernels, const DepthStage& from, int width, int height, int toDepth, int method,
                int paletteFlag, DepthStage& to)
{
    HGLOBAL target = nullptr;
    uint32_t entries[kMaxPaletteEntries] = {};
    int colorCount = 0;
    const int count = from.palette.GetCount();
    const uint32_t* palette = from.palette.GetEntries();
    int result = 0;
    if (from.depth == 1 && toDepth == 8)
        result = kernels.Convert1To8(from.pixels, width, height, count, palette, target, entries);
    else if (from.depth == 1)
        result = kernels.Convert1To24(from.pixels, width, height, count, palette, target);
    else if (from.depth == 8 && toDepth == 1)
        result = kernels.Convert8To1ViaColor(from.pixels, width, height, count, palette, target, entries, colorCount);
    else if (from.depth == 8)
        result = kernels.Convert8To24(from.pixels, width, height, count, palette, target);
    else if (toDepth == 8)
        result =
            kernels.Convert24To8(from.pixels, width, height, paletteFlag != 0, method, target, entries, colorCount);
    else
        result = kernels.Convert24To1(from.pixels, width, height, target, entries, colorCount);
    to.block.Attach(target);
    to.depth = toDepth;
    to.pixels = to.block.GetData<BYTE>();
    if (toDepth == 8)
        TakePalette(to.palette, 8, entries, kMaxPaletteEntries);
    else if (toDepth == 1)
        TakePalette(to.palette, 1, entries, 2);
    return result && target ? 1 : 0;
}

}  // namespace

void CZAVImg::ConvertBitDepth(int depth, int method, int paletteFlag)
{
    if (!HasImage())
        return;
    if (!IsConvertibleDepth(depth))
        ThrowTextException("Invalid destination Bitdepth");
    if (!IsConvertibleDepth(m_bitsPerPixel))
        ThrowTextException("Error");
    if (depth == m_bitsPerPixel)
        return;
    CImageOperation operation(*this);
    CImgKernels& kernels = operation.Kernels();
    DepthStage stages[3];
    DepthStage* current = &stages[0];
    current->pixels = static_cast<const BYTE*>(GetImageData());
    current->depth = m_bitsPerPixel;
    current->palette = m_palette;
    DepthStage* next = &stages[1];
    if (current->depth == 32) {
        next->block.Alloc(GPTR, CalcImageSize(m_width, m_height, 24));
        operation.Check(kernels.Reduce32To24(current->pixels, m_width, m_height, next->block.GetData<BYTE>()),
                        kConvertPrefix);
        next->pixels = next->block.GetData<BYTE>();
        next->depth = 24;
        next->palette = current->palette;
        current = next++;
    }
    const int stepDepth = depth == 32 ? 24 : depth;
    if (current->depth != stepDepth) {
        operation.Check(ConvertStep(kernels, *current, m_width, m_height, stepDepth, method, paletteFlag, *next),
                        kConvertPrefix);
        current = next++;
    }
    if (depth == 32) {
        next->block.Alloc(GPTR, CalcImageSize(m_width, m_height, 32));
        operation.Check(kernels.Expand24To32(current->pixels, m_width, m_height, 0, next->block.GetData<BYTE>()),
                        kConvertPrefix);
        next->depth = 32;
        current = next;
    }
    if (depth == 1 || depth == 8)
        m_palette = current->palette;
    operation.Install(current->block, m_width, m_height, depth);
}

void CZAVImg::ConvertToAllowedBitDepth(const std::set<int>& allowed)
{
    if (!HasImage())
        return;
    const auto has = [&](int depth) { return allowed.count(depth) != 0; };
    const int depth = m_bitsPerPixel;
    if (depth == 32 && !has(32))
        ConvertBitDepth(24, 2, 1);
    switch (m_bitsPerPixel) {
    case 1:
        if (has(1))
            return;
        if (has(8))
            return ConvertBitDepth(8, 2, 1);
        if (has(9))
            return ConvertToGray8();
        if (has(24) || has(32))
            return ConvertBitDepth(24, 2, 1);
        break;
    case 8:
        if (has(8) || (has(9) && m_palette.IsGrayScale()))
            return;
        if (has(9))
            return ConvertToGray8();
        if (has(24))
            return ConvertBitDepth(24, 2, 1);
        if (has(1))
            return ConvertBitDepth(1, 2, 1);
        break;
    case 24:
        if (has(24))
            return;
        if (has(8))
            return ConvertBitDepth(8, 2, 1);
        if (has(9))
            return ConvertToGray8();
        if (has(1))
            return ConvertBitDepth(1, 2, 1);
        break;
    case 32:
        return;
    default:
        break;
    }
    ThrowTextException("Can't convert to required bitdepth!");
}

CArraySimple<int32_t, 2> CZAVImg::BitsPerPixelSetToArray(const std::set<int>& depths)
{
    return CArraySimple<int32_t, 2>(std::vector<int32_t>(depths.begin(), depths.end()));
}

}  // namespace ZAV
