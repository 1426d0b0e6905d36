#include "formats/psd/PSDDecoder.h"

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/codec/FileFacts.h"
#include "formats/codec/FileBytes.h"
#include "formats/psd/PsdPlanes.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/String.h"
#include "image/core/GlobalMemBlock.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 1;
constexpr int kCodeMemory = 10;
constexpr int kCodeFrame = 28;
constexpr int kModeBitmap = 0;
constexpr int kModeRgb = 3;
constexpr int kModeCmyk = 4;
constexpr int kTransparencyChannel = -1;
constexpr int kUserMaskChannel = -2;

bool HasChannel(const PsdLayerInfo& layer, int id)
{
    for (int i = 0; i < layer.channelCount; ++i)
        if (layer.channels[i].id == id)
            return true;
    return false;
}

int PlanesOf(int mode)
{
    return mode == kModeRgb ? 3 : mode == kModeCmyk ? 4 : 1;
}

int ImageDepthOf(int mode)
{
    return mode == kModeBitmap ? 1 : mode == kModeRgb || mode == kModeCmyk ? 24 : 8;
}

// A block the bytes left could fill, so a few bytes of header cannot ask
// for gigabytes.
HGLOBAL AllocZeroed(int64_t bytes, size_t available, const char* text)
{
    if (!IsWithinImageCeiling(bytes))
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer size.");
    if (bytes > static_cast<int64_t>(available) * kPsdMaxPackBitsExpansion)
        CPicDecoder::ThrowError(kCodeFormat, "Image data too short.");
    HGLOBAL block = GlobalAlloc(GPTR, static_cast<size_t>(std::max<int64_t>(bytes, 1)));
    if (!block)
        CPicDecoder::ThrowError(kCodeMemory, text);
    return block;
}

// Each CMYK sample is stored inverted (255: no ink), so the product with
// black gives the RGB byte.
void CmykToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i) {
        const int k = cmyk[4 * i + 3];
        for (int c = 0; c < 3; ++c)
            rgb[3 * i + c] = static_cast<uint8_t>(cmyk[4 * i + c] * k / 255);
    }
}

}  // namespace

void CPSDDecoder::ReadFile(IDataSource* source)
{
    if (!source)
        ThrowError(kCodeFormat, "Not a PSD file.");
    size_t count = 4;
    const unsigned char* head = source->ReadAvailable(count);
    m_file.assign(head, head + count);
    if (count == 4 && std::memcmp(m_file.data(), "8BPS", 4) != 0)
        ThrowError(kCodeFormat, "Not a PSD file.");
    AppendSourceBytes(*source, kMaxCodecSourceBytes, m_file);
}

int CPSDDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    ReadFile(source);
    CFileBytes cursor(m_file);
    CFileFacts facts(*GetImage());
    const PsdFileHeader header = ReadPsdHeader(cursor, facts);
    if (info) {
        *info = FilterImageInfo{};
        info->width = static_cast<int32_t>(header.columns);
        info->height = static_cast<int32_t>(header.rows);
        info->bitsPerPixel = ImageDepthOf(header.mode);
        CZAVImgBase::ConvertResolution(0, 0, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CPSDDecoder::DoGetFrameCount(IDataSource* source)
{
    ReadFile(source);
    CFileBytes cursor(m_file);
    CFileFacts facts(*GetImage());
    const PsdDocument document = ReadPsdStructure(cursor, facts, GetImage()->m_psdOptionA != 0);
    return static_cast<int>(document.layers.size()) + 1;
}

void CPSDDecoder::SkipToLayer(CFileBytes& cursor, const PsdDocument& document, int target)
{
    const int count = static_cast<int>(document.layers.size());
    if (target > count) {
        String text;
        text.Format("Can't skip to layer %d. There ar just %d layers.", target, count);
        ThrowError(kCodeFormat, text.GetText());
    }
    cursor.Seek(document.channelDataStart);
    for (int i = 0; i < target; ++i) {
        const PsdLayerInfo& layer = document.layers[static_cast<size_t>(i)];
        if (layer.channelCount == 0)
            continue;
        const size_t start = cursor.Position();
        ReadPsdCompression(cursor);
        cursor.Seek(start);
        for (int c = 0; c < layer.channelCount; ++c)
            if (!cursor.TrySkip(layer.channels[c].length))
                ThrowError(kCodeFormat, "Invalid channel data length.");
    }
}

void CPSDDecoder::ReadMergedPlanes(CFileBytes& cursor, const PsdDocument& document, uint8_t* pixels, size_t bytesPerRow,
                                   size_t rows, int planes)
{
    const uint16_t compression = ReadPsdCompression(cursor);
    // The row counts cover every channel of the file, the ones not read
    // (an alpha channel) too.
    const size_t countedPlanes = std::max<size_t>(document.header.channels, static_cast<size_t>(planes));
    std::vector<uint16_t> counts;
    if (compression == 1) {
        if (rows * countedPlanes * 2 > cursor.Remaining())
            ThrowError(kCodeFrame, "Error decoding RLE!");
        counts.resize(rows * countedPlanes);
        for (uint16_t& count : counts)
            count = cursor.BE16();
    }
    for (int p = 0; p < planes; ++p) {
        const PsdPlaneTarget target{pixels + p, bytesPerRow, rows, static_cast<size_t>(planes)};
        if (compression == 1)
            ReadPsdPackBitsPlane(cursor, target, counts.data() + static_cast<size_t>(p) * rows);
        else
            ReadPsdRawPlane(cursor, target);
    }
}

bool CPSDDecoder::ReadLayerChannel(CFileBytes& cursor, const PsdLayerInfo& layer, int id, uint8_t* base,
                                   size_t bytesPerRow, size_t rows, size_t stride)
{
    uint64_t offset = 0;
    int index = 0;
    while (index < layer.channelCount && layer.channels[index].id != id)
        offset += layer.channels[index++].length;
    if (index == layer.channelCount)
        return false;
    if (!cursor.Seek(m_layerDataStart + offset))
        ThrowError(kCodeFormat, "Invalid channel data length.");
    const uint16_t compression = ReadPsdCompression(cursor);
    const PsdPlaneTarget target{base, bytesPerRow, rows, stride};
    if (compression == 0) {
        ReadPsdRawPlane(cursor, target);
        return true;
    }
    if (rows * 2 > cursor.Remaining())
        ThrowError(kCodeFrame, "Error decoding RLE!");
    std::vector<uint16_t> counts(rows);
    for (uint16_t& count : counts)
        count = cursor.BE16();
    ReadPsdPackBitsPlane(cursor, target, counts.data());
    return true;
}

void CPSDDecoder::ReadLayerMasks(CFileBytes& cursor, const PsdLayerInfo& layer)
{
    CZAVImg& image = *GetImage();
    const int64_t size = int64_t(layer.width) * layer.height;
    if (HasChannel(layer, kTransparencyChannel)) {
        CGlobalMemBlock mask;
        mask.Attach(AllocZeroed(size, m_file.size(), "Out of memory for mask."));
        ReadLayerChannel(cursor, layer, kTransparencyChannel, mask.GetData<uint8_t>(), static_cast<size_t>(layer.width),
                         static_cast<size_t>(layer.height), 1);
        image.SetMask(mask.Detach(), size);
    }
    const int64_t userSize = int64_t(layer.maskWidth) * layer.maskHeight;
    if (userSize > 0 && HasChannel(layer, kUserMaskChannel)) {
        CGlobalMemBlock user;
        user.Attach(AllocZeroed(userSize, m_file.size(), "Out of memory for mask."));
        ReadLayerChannel(cursor, layer, kUserMaskChannel, user.GetData<uint8_t>(), static_cast<size_t>(layer.maskWidth),
                         static_cast<size_t>(layer.maskHeight), 1);
        image.SetMask2Dimensions(layer.maskWidth, layer.maskHeight);
        image.SetMask2(user.Detach(), userSize);
    }
}

int CPSDDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    CZAVImg& image = *GetImage();
    m_layerMaskOption = image.m_psdOptionB;
    ReadFile(source);
    CFileBytes cursor(m_file);
    CFileFacts facts(image);
    const PsdDocument document = ReadPsdStructure(cursor, facts, image.m_psdOptionA != 0);
    const int count = static_cast<int>(document.layers.size());
    const int frame = GetFrameIndex();
    if (frame < 0 || frame > count)
        ThrowError(kCodeFrame, "Decoding PSD: Frame index out of bounds.");
    const bool merged = frame == 0;
    const int target = merged ? count : frame - 1;
    if (merged && document.mergedStartKnown) {
        if (!cursor.Seek(document.mergedStart))
            ThrowError(kCodeFormat, "Error skipping layer data.");
    } else {
        SkipToLayer(cursor, document, target);
    }
    m_layerDataStart = cursor.Position();
    DecodeTarget(cursor, document, merged ? nullptr : &document.layers[static_cast<size_t>(target)]);
    if (depth)
        *depth = image.GetBitsPerPixel();
    return 1;
}

void CPSDDecoder::DecodeTarget(CFileBytes& cursor, const PsdDocument& document, const PsdLayerInfo* layer)
{
    const int mode = document.header.mode;
    const int planes = PlanesOf(mode);
    const int imageDepth = ImageDepthOf(mode);
    const int64_t width = layer ? layer->width : static_cast<int64_t>(document.header.columns);
    const int64_t height = layer ? layer->height : static_cast<int64_t>(document.header.rows);
    const int64_t bytesPerRow = mode == kModeBitmap ? (width + 7) / 8 : width;
    // Sides of 31 bits give a plane of at most 62: the planes multiply only
    // a plane within the ceiling, so the pixels' size cannot overflow.
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX ||
        bytesPerRow * height > kMaxImageBytes / planes)
        ThrowError(kCodeFormat, "Invalid layer size.");
    CGlobalMemBlock pixels;
    pixels.Attach(AllocZeroed(bytesPerRow * height * planes, cursor.Remaining(), "Out of memory!"));
    uint8_t* base = pixels.GetData<uint8_t>();
    if (!layer) {
        ReadMergedPlanes(cursor, document, base, static_cast<size_t>(bytesPerRow), static_cast<size_t>(height), planes);
    } else {
        for (int p = 0; p < planes; ++p)
            ReadLayerChannel(cursor, *layer, p, base + p, static_cast<size_t>(bytesPerRow), static_cast<size_t>(height),
                             static_cast<size_t>(planes));
    }
    if (mode == kModeCmyk) {
        CGlobalMemBlock rgb;
        rgb.Attach(AllocZeroed(width * height * 3, m_file.size(), "Out of memory!"));
        CmykToRgb(base, rgb.GetData<uint8_t>(), static_cast<size_t>(width * height));
        pixels.Free();
        pixels.Attach(rgb.Detach());
    }
    CZAVImg& image = *GetImage();
    const int64_t size = CZAVImgBase::CalcImageSize(static_cast<int>(width), static_cast<int>(height), imageDepth);
    image.Attach(pixels, size, static_cast<int>(width), static_cast<int>(height), imageDepth);
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (layer && m_layerMaskOption)
        ReadLayerMasks(cursor, *layer);
    SetDecodedPalette(document);
}

void CPSDDecoder::SetDecodedPalette(const PsdDocument& document)
{
    CImagePalette& palette = GetImage()->GetPalette();
    const int depth = GetImage()->GetBitsPerPixel();
    if (depth > 8)
        return;
    if (!document.palette.empty())
        palette.Assign(document.palette.data(), static_cast<int>(document.palette.size()));
    if (depth == 1 && palette.GetCount() < 2)
        palette.CreateBlackWhite();
    else if (depth == 8 && palette.GetCount() < 256)
        palette.CreateGrayScale();
}

}  // namespace ZAV
