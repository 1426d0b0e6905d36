#include "image/kernels/quantize/Quantize.h"

#include "foundation/text/TextException.h"
#include "image/core/ImagePalette.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/quantize/OnePassQuantizer.h"
#include "image/kernels/quantize/TwoPassQuantizer.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <functional>

namespace ZAV {

namespace {

const char kTwoPassComponentsText[] = "2-pass quantizer only works in 3-component color space!";
const char kUnexpectedFailureText[] = "Exception Error 2-pass quantizer!";
constexpr uint32_t kAlphaMask = 0xFF000000u;

bool CheckBuffers(CImgKernels& context, const BYTE* source, int sourceBits, BYTE* target, int targetBits, int width,
                  int height, const uint32_t* palette)
{
    if (!source || !target || !palette || targetBits != 8 || (sourceBits != 8 && sourceBits != 24) || width < 0 ||
        height < 0) {
        context.Fail(kTextInvalidParameter);
        return false;
    }
    if (BlockBytes(width, height, sourceBits / 8) < 0) {
        context.Fail(kTextOutOfMemory);
        return false;
    }
    return true;
}

// Palette entry i takes colour i of the quantizer, keeping its alpha byte.
template <class Quantizer>
void StorePalette(const Quantizer& quantizer, int components, uint32_t* palette, int& colorCount)
{
    colorCount = quantizer.GetColorCount();
    for (int i = 0; i < colorCount; ++i) {
        const BYTE red = quantizer.GetColor(0, i);
        const BYTE green = components == 3 ? quantizer.GetColor(1, i) : red;
        const BYTE blue = components == 3 ? quantizer.GetColor(2, i) : red;
        palette[i] = (palette[i] & kAlphaMask) | MakePaletteEntry(red, green, blue, 0);
    }
}

// Runs a quantizer: its own failures carry their text, anything else is
// reported with one fixed text.
int RunGuarded(CImgKernels& context, const std::function<int()>& run)
{
    try {
        return run();
    } catch (const CTextException& e) {
        return context.Fail(e.GetText());
    } catch (...) {
        return context.Fail(kUnexpectedFailureText);
    }
}

}  // namespace

int QuantizeOnePass(CImgKernels& context, const BYTE* source, int sourceBits, BYTE* target, int targetBits, int width,
                    int height, int& colorCount, uint32_t* palette, int ditherMode, int maxColors)
{
    context.ClearErrorText();
    if (!CheckBuffers(context, source, sourceBits, target, targetBits, width, height, palette))
        return 0;
    return RunGuarded(context, [&]() {
        const int components = sourceBits == 24 ? 3 : 1;
        COnePassQuantizer quantizer;
        quantizer.Setup(components, maxColors, ditherMode, width);
        const size_t sourceRow = SpanBytes(width, components);
        if (!ForEachRow(context, height,
                        [&](int y) { quantizer.MapRow(source + y * sourceRow, target + SpanBytes(y, width)); }))
            return 0;
        StorePalette(quantizer, components, palette, colorCount);
        return 1;
    });
}

int QuantizeTwoPass(CImgKernels& context, const BYTE* source, int sourceBits, BYTE* target, int targetBits, int width,
                    int height, int& colorCount, uint32_t* palette, int ditherMode, int maxColors)
{
    context.ClearErrorText();
    if (!CheckBuffers(context, source, sourceBits, target, targetBits, width, height, palette))
        return 0;
    if (sourceBits != 24)
        return context.Fail(kTwoPassComponentsText);
    return RunGuarded(context, [&]() {
        CTwoPassQuantizer quantizer;
        quantizer.Setup(maxColors, ditherMode, width);
        const size_t sourceRow = SpanBytes(width, 3);
        // One report per row of each pass.
        const int64_t steps = 2 * static_cast<int64_t>(height);
        CKernelProgress progress(context);
        for (int y = 0; y < height; ++y) {
            quantizer.CountRow(source + y * sourceRow);
            if (!progress.Report(y, steps))
                return 0;
        }
        quantizer.ChoosePalette();
        for (int y = 0; y < height; ++y) {
            quantizer.MapRow(source + y * sourceRow, target + SpanBytes(y, width));
            if (!progress.Report(height + y, steps))
                return 0;
        }
        StorePalette(quantizer, 3, palette, colorCount);
        return 1;
    });
}

}  // namespace ZAV
