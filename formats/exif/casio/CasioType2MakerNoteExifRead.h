// CCasioType2MakerNoteExifRead: the maker note of later Casio cameras, a
// signature ("QVC", "DCI" or "AOC" with a zero byte), two more bytes and
// one big-endian directory. Made over the note from its seventh byte; its
// offsets count from there, and every read stays inside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/exif/ExifRead.h"

namespace ZAV {

// True for a note of at least 7 bytes that starts with one of the
// signatures.
bool IsCasioType2MakerNote(const uint8_t* data, size_t length);

class CCasioType2MakerNoteExifRead : public CExifRead {
public:
    CCasioType2MakerNoteExifRead(const void* data, size_t size, int thumbnailFlag);

    // The note's own tag table; the Preview Thumbnail Offset sets the JPEG
    // thumbnail position.
    void FormatTag(CExifEntry& entry, int index) override;
};

}  // namespace ZAV
