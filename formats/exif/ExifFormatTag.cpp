// Naming the current entry from the tag table and carrying out what its
// tag steers; the readable form of the user comment (EXIF 2.1, section
// 4.6.5: an 8-byte character code, then the text).
#include <cstring>
#include <string>
#include <vector>

#include "foundation/text/TextUtils.h"
#include "formats/exif/ExifRead.h"
#include "formats/exif/ExifText.h"
#include "formats/exif/tags/ExifTagTable.h"
#include "formats/exif/tags/ExifTagTexts.h"

namespace ZAV {

namespace {

constexpr uint32_t kCharacterCodeBytes = 8;
constexpr char kAsciiCode[] = "ASCII\0\0";    // the first 6 bytes are compared
constexpr char kUnicodeCode[] = "UNICODE\0";  // all 8 bytes are compared
constexpr size_t kAsciiCodeCompared = 6;
// UTF-8 takes at most 4 bytes for a 16-bit unit pair, 3 for one unit.
constexpr size_t kUtf8BytesPerUnit = 3;

std::string AsciiComment(const uint8_t* text, uint32_t length)
{
    std::string comment;
    for (uint32_t i = 0; i < length && text[i] != 0 && !IsExifTextFull(comment); ++i)
        comment.push_back(static_cast<char>(text[i]));
    return comment;
}

// Little-endian 16-bit units up to the first zero, converted as the
// foundation converts wide text.
std::string UnicodeComment(const uint8_t* text, uint32_t length)
{
    std::vector<WCHAR> wide;
    for (uint32_t i = 0; i + 1 < length; i += 2) {
        const WCHAR unit = static_cast<WCHAR>(text[i] | (text[i + 1] << 8));
        if (unit == 0)
            break;
        wide.push_back(unit);
    }
    wide.push_back(0);
    std::vector<char> narrow(wide.size() * kUtf8BytesPerUnit + 1);
    if (!WideToMultiByte(narrow.data(), wide.data(), static_cast<int>(narrow.size()), CP_ACP))
        return std::string();
    std::string comment(narrow.data());
    // Held to the text buffer, cut before a whole character.
    if (comment.size() + 1 > kExifTextCapacity) {
        size_t end = kExifTextCapacity - 1;
        while (end > 0 && (static_cast<unsigned char>(comment[end]) & 0xC0) == 0x80)
            --end;
        comment.resize(end);
    }
    return comment;
}

}  // namespace

void CExifRead::FormatTag(CExifEntry& entry, int)
{
    entry.tag = m_entry.tag;
    const ExifTagRow* row = FindExifTagRow(m_entry.tag);
    if (!row)
        return;
    if (row->effect == ExifTagEffect::MakerNote)
        ReadMakerNote();
    else if (row->effect == ExifTagEffect::UserComment)
        AddReadableUserComment();
    const ExifTagContext context{m_block, m_entry, m_planarWord};
    const std::string value = MakeExifValueText(*row, context);
    const std::string description = MakeExifDescription(*row, context, value);
    entry.name = String(row->name);
    entry.description = String(description);
    entry.value = String(value);
    ApplyEffect(*row, value);
}

void CExifRead::ApplyEffect(const ExifTagRow& row, const std::string& value)
{
    // Offsets of the file name the source past the TIFF header's start.
    const int64_t tiffStart = m_blockSourceStart + int64_t(kExifTiffStart);
    switch (row.effect) {
    case ExifTagEffect::ExifIfd:
        m_exifIfdPosition = int64_t(m_entry.field) + int64_t(kExifTiffStart);
        break;
    case ExifTagEffect::InteroperabilityIfd:
        m_interoperabilityPosition = int64_t(m_entry.field) + int64_t(kExifTiffStart);
        m_interoperabilityFlag = 1;
        break;
    case ExifTagEffect::ThumbnailWidth:
        m_thumbnail.width = ExifAtoi(value);
        break;
    case ExifTagEffect::ThumbnailHeight:
        m_thumbnail.height = ExifAtoi(value);
        break;
    case ExifTagEffect::Photometric:
        m_thumbnail.photometric = ExifAtoi(value);
        break;
    case ExifTagEffect::StripOffsets:
        m_thumbnail.stripPosition = tiffStart + ExifAtoi(value);
        break;
    case ExifTagEffect::StripByteCount:
        m_thumbnail.stripByteCount = ExifAtoi(value);
        break;
    case ExifTagEffect::PlanarConfiguration:
        m_planarWord = m_entry.valueBytes[0];
        break;
    case ExifTagEffect::JpegThumbnail:
        m_jpegThumbnailPosition = tiffStart + int64_t(m_entry.field);
        break;
    default:
        break;
    }
}

void CExifRead::AddReadableUserComment()
{
    if (m_entry.count <= kCharacterCodeBytes)
        return;
    const uint8_t* bytes = m_block.At(m_entry.ValuePosition(), m_entry.count);
    const uint8_t* text = bytes + kCharacterCodeBytes;
    const uint32_t length = m_entry.count - kCharacterCodeBytes;
    std::string comment;
    if (std::memcmp(bytes, kAsciiCode, kAsciiCodeCompared) == 0)
        comment = AsciiComment(text, length);
    else if (std::memcmp(bytes, kUnicodeCode, kCharacterCodeBytes) == 0)
        comment = UnicodeComment(text, length);
    else
        return;
    m_entries.push_back(std::make_unique<CExifEntry>());
    CExifEntry& entry = *m_entries.back();
    entry.group = kExifGroupReadableComment;
    entry.tag = m_entry.tag;
    entry.name = String("UserCommentReadable");
    entry.value = String(comment);
}

}  // namespace ZAV
