#include "formats/ico/IconImageSet.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/PicDecoder.h"
#include "image/dib/DibHeader.h"

#include <cstdlib>

namespace ZAV {

namespace {

constexpr int kCodeType = 1;
constexpr int kCodeData = 2;
constexpr int kCodeEntry = 10;
constexpr uint16_t kTypeIcon = 1;
constexpr uint16_t kTypeCursor = 2;
constexpr size_t kEntryBytes = 16;

void CheckType(uint16_t reserved, uint16_t type, bool icon)
{
    if (icon && (reserved != 0 || type != kTypeIcon))
        CPicDecoder::ThrowError(kCodeType, "Icon decoder: This isn't an Icon.");
    if (!icon && (reserved != 0 || type != kTypeCursor))
        CPicDecoder::ThrowError(kCodeType, "Cursor decoder: This isn't a Cursor.");
}

// The sizes derived from the bitmap header, in 64 bits so that no field
// value can wrap them.
void DeriveLayout(IconImage& image)
{
    const BITMAPINFOHEADER& h = image.header;
    image.width = h.biWidth;
    image.height = h.biHeight / 2;
    image.depth = int64_t(h.biPlanes) * h.biBitCount;
    const int64_t rows = std::llabs(static_cast<int64_t>(image.height));
    const int64_t colourStride = GetDibStride(h.biWidth, h.biPlanes, h.biBitCount);
    const int64_t maskStride = GetDibStride(h.biWidth, 1, 1);
    const int64_t colourBits = h.biSize + GetDibPaletteSize(h);
    const int64_t limit = static_cast<int64_t>(image.size);
    // Anything past the entry's bytes is refused later; the clamps only keep
    // the stored numbers meaningful.
    image.colourBitsOffset = static_cast<size_t>(colourBits < 0 || colourBits > limit ? limit + 1 : colourBits);
    const int64_t colourSize = colourStride * rows;
    image.colourBitsSize = static_cast<size_t>(colourSize < 0 || colourSize > limit ? limit + 1 : colourSize);
    image.maskBitsOffset = image.colourBitsOffset + image.colourBitsSize;
    const int64_t maskSize = maskStride * rows;
    image.maskBitsSize = static_cast<size_t>(maskSize < 0 || maskSize > limit ? limit + 1 : maskSize);
}

IconImage ReadEntry(CFileBytes& directory, const std::vector<uint8_t>& file)
{
    directory.Skip(8);  // width, height, colours, reserved, planes or hot spot
    const uint32_t size = directory.LE32();
    const uint32_t offset = directory.LE32();
    if (offset > file.size() || size > file.size() - offset)
        CPicDecoder::ThrowError(kCodeEntry, "Error Seeking in File");
    IconImage image;
    image.bytes = file.data() + offset;
    image.size = size;
    if (!ReadDibHeader(image.bytes, image.size, image.header) || image.header.biSize > image.size)
        CPicDecoder::ThrowError(kCodeEntry, "Error Converting to Internal Format!");
    DeriveLayout(image);
    return image;
}

}  // namespace

IconImageSet ReadIconImageSet(const std::vector<uint8_t>& file, bool icon)
{
    CFileBytes bytes(file);
    const uint16_t reserved = bytes.LE16();
    IconImageSet set;
    set.type = bytes.LE16();
    CheckType(reserved, set.type, icon);
    const uint16_t count = bytes.LE16();
    if (!bytes.Has(size_t(count) * kEntryBytes))
        CPicDecoder::ThrowError(kCodeEntry, "Error Seeking in File");
    set.images.reserve(count);
    for (uint16_t i = 0; i < count; ++i)
        set.images.push_back(ReadEntry(bytes, file));
    return set;
}

int PickIconImage(const IconImageSet& set)
{
    int picked = -1;
    int width = 0;
    int64_t depth = 0;
    for (size_t i = 0; i < set.images.size(); ++i) {
        const IconImage& image = set.images[i];
        if (image.width >= width && image.depth >= depth) {
            picked = static_cast<int>(i);
            width = image.width;
            depth = image.depth;
        }
    }
    return picked;
}

void CheckIconImageBounds(const IconImage& image)
{
    const uint64_t end = uint64_t(image.maskBitsOffset) + image.maskBitsSize;
    if (image.width <= 0 || image.height == 0 || image.colourBitsOffset > image.size || end > image.size)
        CPicDecoder::ThrowError(kCodeData, "Decoding Icon: Invalid Icondata.");
}

}  // namespace ZAV
