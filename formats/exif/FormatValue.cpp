#include "formats/exif/FormatValue.h"

#include "formats/exif/ExifText.h"

namespace ZAV {

namespace {

constexpr uint64_t kRationalBytes = 8;

// A text of count bytes that ends at its first zero; the count is whole
// inside the block, the closing zero behind it bounds the search.
std::string AsciiText(const uint8_t* bytes, uint32_t count)
{
    std::string text;
    for (uint32_t i = 0; i < count && bytes[i] != 0; ++i)
        text.push_back(static_cast<char>(bytes[i]));
    if (text.size() + 1 > kExifTextCapacity)
        text.resize(kExifTextCapacity - 1);
    return text;
}

std::string HexBytes(const uint8_t* bytes, uint32_t count)
{
    std::string text;
    for (uint32_t i = 0; i < count && !IsExifTextFull(text); ++i)
        AppendExifText(text, "%02X", bytes[i]);
    return text;
}

std::string Number(int64_t value)
{
    std::string text;
    AppendExifText(text, "%d", static_cast<int>(value));
    return text;
}

}  // namespace

const uint8_t* ExifValueBytes(const CExifBlock& block, const ExifDirectoryEntry& entry)
{
    if (entry.count <= kExifFieldBytes)
        return entry.fieldBytes;
    return block.At(entry.ValuePosition(), entry.count);
}

std::string FormatRationals(const CExifBlock& block, const ExifDirectoryEntry& entry)
{
    std::string text;
    if (entry.count == 0)
        return text;
    // The whole list must lie in the block, even where the text stops early.
    block.At(entry.ValuePosition(), uint64_t(entry.count) * kRationalBytes);
    for (uint32_t k = 0; k < entry.count && !IsExifTextFull(text); ++k) {
        const uint64_t position = entry.ValuePosition() + kRationalBytes * k;
        AppendExifText(text, "%d/", static_cast<int32_t>(block.DWord(position)));
        AppendExifText(text, "%d ", static_cast<int32_t>(block.DWord(position + 4)));
    }
    return text;
}

std::string FormatValue(const CExifBlock& block, const ExifDirectoryEntry& entry)
{
    switch (entry.type) {
    case kExifByte:
    case kExifSignedByte:
        return Number(entry.fieldBytes[0]);
    case kExifAscii:
        return entry.count == 0 ? std::string() : AsciiText(ExifValueBytes(block, entry), entry.count);
    case kExifShort:
    case kExifSignedShort:
        return Number(block.WordOf(entry.fieldBytes));
    case kExifLong:
    case kExifSignedLong:
        return Number(static_cast<int32_t>(entry.field));
    case kExifRational:
    case kExifSignedRational:
        return FormatRationals(block, entry);
    case kExifUndefined:
        return entry.count == 0 ? std::string() : HexBytes(ExifValueBytes(block, entry), entry.count);
    default:
        return std::string();
    }
}

}  // namespace ZAV
