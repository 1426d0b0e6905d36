#include "formats/exif/casio/CasioType2MakerNoteExifRead.h"

#include <cstring>

#include "formats/exif/ExifText.h"
#include "formats/exif/FormatValue.h"
#include "formats/exif/casio/CasioTagTable.h"

namespace ZAV {

namespace {

constexpr size_t kMinNoteLength = 7;
constexpr size_t kSignatureBytes = 4;
// Tested in this order.
constexpr const char* kSignatures[] = {"AOC", "DCI", "QVC"};

}  // namespace

bool IsCasioType2MakerNote(const uint8_t* data, size_t length)
{
    if (!data || length < kMinNoteLength)
        return false;
    for (const char* signature : kSignatures)
        if (std::memcmp(data, signature, kSignatureBytes) == 0)  // the zero byte included
            return true;
    return false;
}

CCasioType2MakerNoteExifRead::CCasioType2MakerNoteExifRead(const void* data, size_t size, int thumbnailFlag)
    : CExifRead(data, size, thumbnailFlag)
{
}

void CCasioType2MakerNoteExifRead::FormatTag(CExifEntry& entry, int)
{
    const ExifDirectoryEntry& current = CurrentEntry();
    entry.tag = current.tag;
    const CasioTagRow* row = FindCasioTagRow(current.tag);
    if (!row)
        return;
    std::string value = FormatValue(Block(), current);
    for (size_t i = 0; i < row->meaningCount; ++i)
        if (value == row->meanings[i].value) {
            value = row->meanings[i].meaning;
            break;
        }
    entry.name = String(row->name);
    entry.description = String("");
    entry.value = String(value);
    if (row->setsPreviewPosition)
        SetJpegThumbnailPosition(ExifAtoi(value));
}

}  // namespace ZAV
