// EXIF blocks built byte by byte for the reader's tests: a TIFF structure
// in either byte order with directories whose long values land behind
// them, wrapped into a JPEG APP1 segment.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ZAVTest {

using Bytes = std::vector<uint8_t>;

// One directory entry: its value bytes (already in the block's order) go
// into the value field when they fit, else behind the directory, and the
// field holds their offset. With a raw field the field is written as given.
struct TestEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    Bytes value;
    bool rawField = false;
    uint32_t field = 0;
};

class TiffBytes {
public:
    // The 8-byte header naming the first directory at offset 8.
    explicit TiffBytes(bool bigEndian);

    bool BigEndian() const { return m_bigEndian; }
    Bytes Short(uint16_t value) const;
    Bytes Shorts(const std::vector<uint16_t>& values) const;
    Bytes Long(uint32_t value) const;
    Bytes Rationals(const std::vector<std::pair<int32_t, int32_t>>& values) const;
    static Bytes Ascii(const std::string& text);

    // Entries built from typed values.
    TestEntry ShortEntry(uint16_t tag, uint16_t value) const;
    TestEntry LongEntry(uint16_t tag, uint32_t value) const;
    TestEntry RationalEntry(uint16_t tag, int32_t numerator, int32_t denominator) const;
    static TestEntry AsciiEntry(uint16_t tag, const std::string& text);
    static TestEntry UndefinedEntry(uint16_t tag, const Bytes& bytes);
    static TestEntry RawEntry(uint16_t tag, uint16_t type, uint32_t count, uint32_t field);

    // A directory at the end (at offset 8 for the first); the offset of it.
    uint32_t AddDirectory(const std::vector<TestEntry>& entries, uint32_t next = 0);
    // The value field of entry index of the directory at offset.
    void SetField(uint32_t directory, int index, uint32_t value);
    void SetNext(uint32_t directory, uint32_t next);
    // Zero bytes up to the offset; raw bytes at the end (their offset).
    void PadTo(uint32_t offset);
    uint32_t Append(const Bytes& bytes);

    const Bytes& Data() const { return m_data; }
    uint32_t Size() const { return static_cast<uint32_t>(m_data.size()); }

private:
    void Put16(Bytes& out, uint16_t value) const;
    void Put32(Bytes& out, uint32_t value) const;
    void Patch32(uint32_t at, uint32_t value);

    bool m_bigEndian;
    Bytes m_data;
};

// A JPEG stream: start of image, the segments given, an APP1 with "Exif",
// two zero bytes and the TIFF data, then an end of image.
Bytes JpegWithExif(const Bytes& tiff, const Bytes& segmentsBefore = Bytes());
// A JFIF APP0 segment as cjpeg writes it.
Bytes JfifSegment();
// Offset of the TIFF header in the stream JpegWithExif makes.
uint32_t TiffStartIn(const Bytes& segmentsBefore = Bytes());

// A Casio type-2 maker note: signature, two zero bytes, then a big-endian
// directory whose long values sit behind it at offset + 8 from the
// directory's start.
Bytes CasioNote(const std::string& signature, const std::vector<TestEntry>& entries);

}  // namespace ZAVTest
