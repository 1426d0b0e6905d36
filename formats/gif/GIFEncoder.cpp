#include "formats/gif/GIFEncoder.h"

#include "formats/codec/CodecDataSource.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeRefused = 0;
constexpr int kWriterPlain = 0;
constexpr int kWriterLzw = 1;
constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kTableFlag = 0x80;
// GIF sizes are 16-bit fields.
constexpr int kMaxGifSide = 65535;
constexpr size_t kMaxCommentBytes = 255;
// The settings' slots (CGifSettings::values).
enum GifSettingSlot { kSlotTransparent, kSlotDelay, kSlotDisposal, kSlotLeft, kSlotTop, kSlotLoop, kSlotLocalTable };
const char kIllegalDepth[] = "Encoding GIF: Illegal bpp value. Require 1bit or 8bit image to export!";

void CheckDepth(const CZAVImg& image)
{
    const int depth = image.GetBitsPerPixel();
    if (depth != 1 && depth != 8)
        CPicEncoder::ThrowError(kCodeRefused, kIllegalDepth);
}

void CheckFrame(const CZAVImg* image)
{
    if (!image || !const_cast<CZAVImg*>(image)->GetLineArray() || image->GetWidth() == 0 || image->GetHeight() == 0)
        CPicEncoder::ThrowError(kCodeRefused, "Encoding GIF: No imagedata provided!");
    CheckDepth(*image);
    // Wider or higher images would be written with truncated sizes.
    if (image->GetWidth() > kMaxGifSide || image->GetHeight() > kMaxGifSide)
        CPicEncoder::ThrowError(kCodeRefused, "Encoding GIF: Image size exceeds 65535 pixels!");
}

// The 2^depth RGB entries a table announced by the depth holds; entries
// the palette lacks are black.
std::vector<uint8_t> TableBytes(const CZAVImg& image)
{
    const int entries = 1 << image.GetBitsPerPixel();
    std::vector<uint8_t> rgb(static_cast<size_t>(entries) * 3, 0);
    const CImagePalette& palette = image.GetPalette();
    for (int i = 0; i < std::min(entries, palette.GetCount()); ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        rgb[3 * i] = PaletteRed(entry);
        rgb[3 * i + 1] = PaletteGreen(entry);
        rgb[3 * i + 2] = PaletteBlue(entry);
    }
    return rgb;
}

// A frame whose pixels mean other colours than the first image's needs a
// table of its own.
bool NeedsOwnTable(const CZAVImg& first, const CZAVImg& image)
{
    if (image.m_gif.values[kSlotLocalTable])
        return true;
    return first.GetBitsPerPixel() != image.GetBitsPerPixel() || TableBytes(first) != TableBytes(image);
}

}  // namespace

void CGIFEncoder::WriteOutput(const uint8_t* bytes, size_t count)
{
    if (count)
        m_target->WriteChecked(bytes, count);
}

void CGIFEncoder::WriteWord(uint32_t value)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF)};
    WriteOutput(bytes, 2);
}

void CGIFEncoder::WriteColourTable(const CZAVImg& image)
{
    const std::vector<uint8_t> rgb = TableBytes(image);
    WriteOutput(rgb.data(), rgb.size());
}

void CGIFEncoder::WriteHeader(const CZAVImg& image)
{
    const int bits = image.GetBitsPerPixel();
    WriteOutput(reinterpret_cast<const uint8_t*>("GIF89a"), 6);
    WriteWord(static_cast<uint32_t>(image.GetWidth()));
    WriteWord(static_cast<uint32_t>(image.GetHeight()));
    WriteByte(static_cast<uint8_t>(kTableFlag | ((bits - 1) & 3) << 5 | (bits - 1)));
    WriteByte(0);  // background index
    WriteByte(0);  // pixel ratio: none given
    WriteColourTable(image);
}

void CGIFEncoder::WriteLoopExtension(const CZAVImg& image)
{
    const int32_t loop = image.m_gif.values[kSlotLoop];
    if (loop == 1)
        return;
    static const uint8_t kHead[] = {
        kExtensionIntroducer, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1};
    WriteOutput(kHead, sizeof kHead);
    WriteWord(static_cast<uint32_t>(loop - 1) & 0xFFFF);
    WriteByte(0);
}

void CGIFEncoder::WriteGraphicControl(const CZAVImg& image)
{
    const int32_t* values = image.m_gif.values;
    const int transparent = values[kSlotTransparent];
    const uint8_t head[] = {kExtensionIntroducer, 0xF9, 4,
                            static_cast<uint8_t>((values[kSlotDisposal] & 7) << 2 | (transparent != -1 ? 1 : 0))};
    WriteOutput(head, sizeof head);
    WriteWord(static_cast<uint32_t>(values[kSlotDelay]));
    WriteByte(static_cast<uint8_t>(transparent & 0xFF));
    WriteByte(0);
}

void CGIFEncoder::WriteComments(const CZAVImg& image)
{
    for (const std::string& comment : image.m_gif.comments) {
        const size_t length = std::min(comment.size(), kMaxCommentBytes);
        if (length == 0)
            continue;
        const uint8_t head[] = {kExtensionIntroducer, 0xFE, static_cast<uint8_t>(length)};
        WriteOutput(head, sizeof head);
        WriteOutput(reinterpret_cast<const uint8_t*>(comment.data()), length);
        WriteByte(0);
    }
}

void CGIFEncoder::WriteImage(CZAVImg& image, bool localTable)
{
    const int bits = image.GetBitsPerPixel();
    WriteByte(kImageSeparator);
    WriteWord(static_cast<uint32_t>(image.m_gif.values[kSlotLeft]));
    WriteWord(static_cast<uint32_t>(image.m_gif.values[kSlotTop]));
    WriteWord(static_cast<uint32_t>(image.GetWidth()));
    WriteWord(static_cast<uint32_t>(image.GetHeight()));
    WriteByte(localTable ? static_cast<uint8_t>((bits - 1) | kTableFlag) : 0);
    if (localTable)
        WriteColourTable(image);
    WriteCodes(image);
    WriteByte(0);  // block terminator
}

void CGIFEncoder::WriteCodes(CZAVImg& image)
{
    const int codeSize = std::max(image.GetBitsPerPixel(), 2);
    WriteByte(static_cast<uint8_t>(codeSize));
    m_feedImage = &image;
    m_pixelsLeft = int64_t(image.GetWidth()) * image.GetHeight();
    m_row = -1;
    m_column = image.GetWidth();
    m_rowPixels = nullptr;
    const int mode = image.m_gif.flag;
    if (mode == kWriterPlain)
        WritePlainCodes(codeSize + 1);
    else if (mode == kWriterLzw)
        WriteLzwCodes(codeSize + 1);
    else
        WriteRunLengthCodes(codeSize + 1);
}

int CGIFEncoder::NextPixel()
{
    if (m_pixelsLeft <= 0)
        return -1;
    CZAVImg& image = *m_feedImage;
    if (m_column >= image.GetWidth()) {
        m_row = std::min(m_row + 1, image.GetHeight() - 1);
        m_column = 0;
        ReportSourceProgress(m_target, static_cast<double>(m_row) / image.GetHeight());
        const uint8_t* line = image.GetLineArray()[m_row];
        if (image.GetBitsPerPixel() == 1) {
            m_expanded.resize(static_cast<size_t>(image.GetWidth()));
            for (int x = 0; x < image.GetWidth(); ++x)
                m_expanded[static_cast<size_t>(x)] = (line[x / 8] >> (7 - x % 8)) & 1;
            line = m_expanded.data();
        }
        m_rowPixels = line;
    }
    --m_pixelsLeft;
    return m_rowPixels[m_column++];
}

int CGIFEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* image = GetImage();
    if (image)
        CheckDepth(*image);
    CheckFrame(image);
    m_target = target;
    WriteHeader(*image);
    WriteGraphicControl(*image);
    WriteComments(*image);
    WriteImage(*image, false);
    WriteByte(kTrailer);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

int CGIFEncoder::DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int, uint32_t* bytesWritten)
{
    if (!images || count <= 0 || !images[0])
        ThrowError(kCodeRefused, "no imagedata provided!");
    for (int i = 0; i < count; ++i)
        CheckFrame(images[i]);
    m_target = target;
    CZAVImg& first = *images[0];
    WriteHeader(first);
    WriteLoopExtension(first);
    WriteGraphicControl(first);
    WriteComments(first);
    WriteImage(first, false);
    for (int i = 1; i < count; ++i) {
        WriteGraphicControl(*images[i]);
        WriteImage(*images[i], NeedsOwnTable(first, *images[i]));
    }
    WriteByte(kTrailer);
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

}  // namespace ZAV
