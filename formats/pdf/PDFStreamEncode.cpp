// The encoding routines: the source image's bytes for one PDF image filter.
#include <vector>

#include "foundation/coding/ZlibCoding.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PDFPngChunks.h"
#include "formats/pdf/PDFSaveScope.h"
#include "formats/pdf/PDFTiffStrips.h"
#include "formats/pdf/PDFTiffPredictor.h"
#include "formats/runlength/RunLengthDecoder.h"
#include "formats/tiff/packbits/PackBitsEncoder.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

bool IsDeflate(int compression)
{
    return compression == kTiffDeflate || compression == kTiffAdobeDeflate;
}

const uint8_t* PixelsOf(const CZAVImg& image)
{
    const CGlobalMemBlock* block = image.GetDataBlock();
    return block ? block->GetData<uint8_t>() : nullptr;
}

}  // namespace

void CPDFEncoder::EncodeToStream(IDataSource* target, int format)
{
    const CSavedImage saved = SaveImageToMemory(*GetSourceImage(), format);
    if (saved.size > 0)
        WritePdfBytes(*target, saved.bytes.get(), static_cast<size_t>(saved.size));
}

void CPDFEncoder::EncodeJpegToStream(IDataSource* target)
{
    EncodeToStream(target, kFormatJpeg);
}

void CPDFEncoder::WriteRunLengthStream(IDataSource* target)
{
    const CZAVImg& image = *GetSourceImage();
    const uint8_t* pixels = image.HasImage() ? PixelsOf(image) : nullptr;
    // Rows are coded apart, so no run crosses a row end.
    if (pixels)
        CPackBitsEncoder(pixels, static_cast<size_t>(image.GetImageSize()),
                         static_cast<size_t>(image.GetBytesPerLine()), target)
            .Encode();
    const uint8_t endOfData = kRunLengthEndOfData;
    WritePdfBytes(*target, &endOfData, 1);
}

void CPDFEncoder::WriteTiffStrips(IDataSource* target)
{
    CopyTiffStrips(target, 0);
}

void CPDFEncoder::WriteTiffStripsInverted(IDataSource* target)
{
    CopyTiffStrips(target, 1);
}

void CPDFEncoder::CopyTiffStrips(IDataSource* target, int invert)
{
    CopyStrips(target, invert != 0 && NeedsInversion());
}

void CPDFEncoder::WriteTiffStripsWhiteFirst(IDataSource* target)
{
    // CCITT codes white runs, which /DeviceGray shows white when they come
    // from 0 bits.
    const CZAVImg& image = *GetSourceImage();
    CopyStrips(target, image.GetBitsPerPixel() == 1 && IsPaletteBlackFirst());
}

void CPDFEncoder::CopyStrips(IDataSource* target, bool invert)
{
    CZAVImg& image = *GetSourceImage();
    CInvertedPixelsScope inverted(image, invert);
    if (IsDeflate(image.m_tiffCompression)) {
        CodeDeflateStrip(target);
        return;
    }
    const CSavedImage saved = SaveImageToMemory(image, kFormatTiff);
    CopyRawTiffStrip(saved.bytes.get(), saved.size, *target);
}

void CPDFEncoder::CodeDeflateStrip(IDataSource* target)
{
    const CZAVImg& image = *GetSourceImage();
    const uint8_t* pixels = image.HasImage() ? PixelsOf(image) : nullptr;
    if (!pixels)
        return;
    const size_t size = static_cast<size_t>(image.GetBytesPerLine()) * static_cast<size_t>(image.GetHeight());
    std::vector<uint8_t> rows(pixels, pixels + size);
    if (UsesHorizontalPredictor(image))
        ApplyHorizontalPredictor(rows.data(), image.GetWidth(), image.GetHeight(), image.GetBytesPerPixel());
    const std::vector<uint8_t> coded = ZlibCompress(rows.data(), rows.size());
    WritePdfBytes(*target, coded.data(), coded.size());
}

void CPDFEncoder::WritePngIdatStream(IDataSource* target)
{
    const CSavedImage saved = SaveImageToMemory(*GetSourceImage(), kFormatPng);
    CDataSource file;
    if (!file.OpenMemory(saved.bytes.get(), static_cast<size_t>(saved.size)))
        ThrowError(1, "Error assigning memory!");
    CopyPngIdatData(file, *target);
}

bool CPDFEncoder::IsPaletteBlackFirst()
{
    const CImagePalette& palette = GetSourceImage()->GetPalette();
    if (palette.GetCount() < 2)
        return true;
    uint32_t first = 0, second = 0;
    palette.GetEntry(0, first);
    palette.GetEntry(1, second);
    const COLORREF firstColour = PaletteEntryToColor(first);
    return CImgKernels::DarkerColor(firstColour, PaletteEntryToColor(second)) == firstColour;
}

bool CPDFEncoder::NeedsInversion()
{
    return GetSourceImage()->GetBitsPerPixel() == 1 && !IsPaletteBlackFirst();
}

}  // namespace ZAV
