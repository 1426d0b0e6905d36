#include "formats/png/PNGEncoder.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/png/PngWriter.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kEncodeErrorCode = 23;
constexpr int kMemoryErrorCode = 10;
constexpr int kFirstPredictor = 10;
constexpr int kLastPredictor = 15;
// libpng's filter sets of the predictors 10 to 15.
constexpr int kPredictorFilters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB,   PNG_FILTER_UP,
                                     PNG_FILTER_AVG,  PNG_FILTER_PAETH, PNG_ALL_FILTERS};

int BitDepthOf(int depth)
{
    return depth == 24 || depth == 32 ? 8 : depth;
}

bool IsAlphaType(int colorType)
{
    return (colorType & PNG_COLOR_MASK_ALPHA) != 0;
}

// Bytes of a row with alpha as this encoder builds it: 0 for a depth it
// has no alpha row of.
size_t AlphaRowBytes(int depth, int width)
{
    if (depth == 8)
        return static_cast<size_t>(width) * 2;
    return depth == 24 || depth == 32 ? static_cast<size_t>(width) * 4 : 0;
}

// Without a fourth byte the alpha comes from a mask of the image's size.
void CheckMask(const CZAVImg& image)
{
    if (!image.GetMask())
        CPicEncoder::ThrowError(kEncodeErrorCode, "No maskdata available!");
    if (image.GetMaskSize() != static_cast<int64_t>(image.GetWidth()) * image.GetHeight())
        CPicEncoder::ThrowError(kEncodeErrorCode, "Mask has wrong size!");
}

// libpng reads as many bytes per row as the header asks; a row shorter
// than that would be read past its end.
void CheckRowsFit(const CPngWriter& writer, const CZAVImg& image, int colorType)
{
    const size_t supplied = IsAlphaType(colorType) ? AlphaRowBytes(image.GetBitsPerPixel(), image.GetWidth())
                                                   : static_cast<size_t>(image.GetBytesPerLine());
    if (writer.GetRowBytes() > supplied) {
        char text[96];
        std::snprintf(text, sizeof(text), "PNG color type %d does not fit a %dbpp image!", colorType,
                      image.GetBitsPerPixel());
        CPicEncoder::ThrowError(kEncodeErrorCode, text);
    }
}

// Grey and alpha pairs of 8 bits, or red, green, blue, alpha of 24 and 32.
void BuildAlphaRow(const CZAVImg& image, const BYTE* pixels, const BYTE* mask, BYTE* out)
{
    const int width = image.GetWidth();
    switch (image.GetBitsPerPixel()) {
    case 32:
        std::copy(pixels, pixels + static_cast<size_t>(width) * 4, out);
        break;
    case 8:
        for (int x = 0; x < width; ++x) {
            out[2 * x] = pixels[x];
            out[2 * x + 1] = mask[x];
        }
        break;
    default:
        for (int x = 0; x < width; ++x, pixels += 3, out += 4) {
            out[0] = pixels[0];
            out[1] = pixels[1];
            out[2] = pixels[2];
            out[3] = mask[x];
        }
        break;
    }
}

uint32_t WrittenLength(IDataSource* target, const CPngWriter& writer)
{
    return static_cast<uint32_t>(GetSourceLength(target, writer.GetBytesWritten()));
}

}  // namespace

CPNGEncoder::~CPNGEncoder() = default;

void CPNGEncoder::WriteHeaderChunks(CPngWriter& writer, CZAVImg& image, int colorType, int interlace)
{
    const int depth = image.GetBitsPerPixel();
    writer.SetHeader(static_cast<uint32_t>(image.GetWidth()), static_cast<uint32_t>(image.GetHeight()),
                     BitDepthOf(depth), colorType, interlace);
    const int entries = image.GetPalette().GetCount();
    if (entries >= 1 && entries <= PNG_MAX_PALETTE_LENGTH)
        writer.SetPalette(image.GetPalette(), depth == 1 && entries > 2 ? 2 : entries);
    writer.SetTimeNow();
    writer.SetResolution(image.GetXResolution(), image.GetYResolution());
}

void CPNGEncoder::WriteRows(CPngWriter& writer, CZAVImg& image, IDataSource* target, bool alpha)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    BYTE** lines = image.GetLineArray();
    const BYTE* mask = static_cast<const BYTE*>(image.GetMask());
    std::unique_ptr<BYTE[]> scanline;
    if (alpha) {
        scanline.reset(new (std::nothrow) BYTE[AlphaRowBytes(image.GetBitsPerPixel(), width)]);
        if (!scanline)
            ThrowError(kMemoryErrorCode, "Out of memory allocating scanline buffer.");
    }
    const int passes = writer.HandleInterlace();
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) {
            const BYTE* row = lines[y];
            if (alpha) {
                BuildAlphaRow(image, row, mask ? mask + static_cast<size_t>(y) * width : nullptr, scanline.get());
                row = scanline.get();
            }
            writer.WriteRow(row);
            ReportSourceProgress(target, (pass + static_cast<double>(y + 1) / height) / passes);
        }
    }
}

int CPNGEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg& image = *GetImage();
    image.GetImageDataChecked();
    const int colorType = image.m_pngColorType;
    const bool alpha = IsAlphaType(colorType);
    if (alpha && image.GetBitsPerPixel() != 32)
        CheckMask(image);
    CPngWriter writer(target);
    WriteHeaderChunks(writer, image, colorType, image.m_pngInterlace);
    CheckRowsFit(writer, image, colorType);
    writer.WriteInfo();
    if (image.GetBitsPerPixel() == 16)
        writer.SwapBytes();
    WriteRows(writer, image, target, alpha);
    writer.WriteEnd();
    if (bytesWritten)
        *bytesWritten = WrittenLength(target, writer);
    return 1;
}

int CPNGEncoder::WriteRawIdat(CZAVImg* image, IDataSource* target, const unsigned char* data, size_t length,
                              int predictor, uint32_t* bytesWritten)
{
    if (predictor < kFirstPredictor || predictor > kLastPredictor) {
        char text[64];
        std::snprintf(text, sizeof(text), "Invalid PNG predictor value %d!", predictor);
        ThrowTextException(text);
    }
    const int depth = image->GetBitsPerPixel();
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowError(kEncodeErrorCode, "PNG data requires 1, 8 or 24bpp image!");
    if (length > kMaxPngChunkLength)
        ThrowError(kEncodeErrorCode, "Error creating PNG file!");
    CPngWriter writer(target);
    WriteHeaderChunks(writer, *image, depth == 24 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE);
    writer.SetFilters(kPredictorFilters[predictor - kFirstPredictor]);
    writer.WriteInfo();
    writer.WriteChunk("IDAT", data, length);
    // png_write_end wants rows written through libpng; the end chunk of
    // raw data is written the same way as its data.
    writer.WriteChunk("IEND", nullptr, 0);
    if (bytesWritten)
        *bytesWritten = WrittenLength(target, writer);
    return 1;
}

}  // namespace ZAV
