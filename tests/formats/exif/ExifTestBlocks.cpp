#include "ExifTestBlocks.h"

#include <algorithm>

namespace ZAVTest {

namespace {

constexpr uint32_t kFieldBytes = 4;
constexpr uint32_t kEntryBytes = 12;
// Maker-note offsets name position offset + 8 of the directory's block.
constexpr uint32_t kNoteOffsetBias = 8;

}  // namespace

TiffBytes::TiffBytes(bool bigEndian) : m_bigEndian(bigEndian)
{
    m_data = bigEndian ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
    Put16(m_data, 42);
    Put32(m_data, 8);
}

void TiffBytes::Put16(Bytes& out, uint16_t value) const
{
    if (m_bigEndian) {
        out.push_back(uint8_t(value >> 8));
        out.push_back(uint8_t(value));
    } else {
        out.push_back(uint8_t(value));
        out.push_back(uint8_t(value >> 8));
    }
}

void TiffBytes::Put32(Bytes& out, uint32_t value) const
{
    if (m_bigEndian) {
        Put16(out, uint16_t(value >> 16));
        Put16(out, uint16_t(value));
    } else {
        Put16(out, uint16_t(value));
        Put16(out, uint16_t(value >> 16));
    }
}

Bytes TiffBytes::Short(uint16_t value) const
{
    return Shorts({value});
}

Bytes TiffBytes::Shorts(const std::vector<uint16_t>& values) const
{
    Bytes out;
    for (uint16_t v : values)
        Put16(out, v);
    return out;
}

Bytes TiffBytes::Long(uint32_t value) const
{
    Bytes out;
    Put32(out, value);
    return out;
}

Bytes TiffBytes::Rationals(const std::vector<std::pair<int32_t, int32_t>>& values) const
{
    Bytes out;
    for (const auto& v : values) {
        Put32(out, uint32_t(v.first));
        Put32(out, uint32_t(v.second));
    }
    return out;
}

Bytes TiffBytes::Ascii(const std::string& text)
{
    Bytes out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

TestEntry TiffBytes::ShortEntry(uint16_t tag, uint16_t value) const
{
    return TestEntry{tag, 3, 1, Short(value)};
}

TestEntry TiffBytes::LongEntry(uint16_t tag, uint32_t value) const
{
    return TestEntry{tag, 4, 1, Long(value)};
}

TestEntry TiffBytes::RationalEntry(uint16_t tag, int32_t numerator, int32_t denominator) const
{
    return TestEntry{tag, 5, 1, Rationals({{numerator, denominator}})};
}

TestEntry TiffBytes::AsciiEntry(uint16_t tag, const std::string& text)
{
    const Bytes bytes = Ascii(text);
    return TestEntry{tag, 2, uint32_t(bytes.size()), bytes};
}

TestEntry TiffBytes::UndefinedEntry(uint16_t tag, const Bytes& bytes)
{
    return TestEntry{tag, 7, uint32_t(bytes.size()), bytes};
}

TestEntry TiffBytes::RawEntry(uint16_t tag, uint16_t type, uint32_t count, uint32_t field)
{
    TestEntry entry{tag, type, count, {}};
    entry.rawField = true;
    entry.field = field;
    return entry;
}

uint32_t TiffBytes::AddDirectory(const std::vector<TestEntry>& entries, uint32_t next)
{
    const uint32_t at = Size();
    const uint32_t count = uint32_t(entries.size());
    uint32_t valueAt = at + 2 + kEntryBytes * count + 4;
    Bytes values;
    Put16(m_data, uint16_t(count));
    for (const TestEntry& e : entries) {
        Put16(m_data, e.tag);
        Put16(m_data, e.type);
        Put32(m_data, e.count);
        if (e.rawField) {
            Put32(m_data, e.field);
        } else if (e.value.size() <= kFieldBytes) {
            Bytes field = e.value;
            field.resize(kFieldBytes, 0);
            m_data.insert(m_data.end(), field.begin(), field.end());
        } else {
            Put32(m_data, valueAt + uint32_t(values.size()));
            values.insert(values.end(), e.value.begin(), e.value.end());
        }
    }
    Put32(m_data, next);
    m_data.insert(m_data.end(), values.begin(), values.end());
    return at;
}

void TiffBytes::Patch32(uint32_t at, uint32_t value)
{
    Bytes bytes;
    Put32(bytes, value);
    std::copy(bytes.begin(), bytes.end(), m_data.begin() + at);
}

void TiffBytes::SetField(uint32_t directory, int index, uint32_t value)
{
    Patch32(directory + 2 + kEntryBytes * uint32_t(index) + 8, value);
}

void TiffBytes::SetNext(uint32_t directory, uint32_t next)
{
    const uint32_t count = m_bigEndian ? (m_data[directory] << 8 | m_data[directory + 1])
                                       : (m_data[directory] | m_data[directory + 1] << 8);
    Patch32(directory + 2 + kEntryBytes * count, next);
}

void TiffBytes::PadTo(uint32_t offset)
{
    if (m_data.size() < offset)
        m_data.resize(offset, 0);
}

uint32_t TiffBytes::Append(const Bytes& bytes)
{
    const uint32_t at = Size();
    m_data.insert(m_data.end(), bytes.begin(), bytes.end());
    return at;
}

Bytes JfifSegment()
{
    return Bytes{0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
}

uint32_t TiffStartIn(const Bytes& segmentsBefore)
{
    // Start of image, the segments, marker, length, "Exif" and two zeros.
    return 2 + uint32_t(segmentsBefore.size()) + 4 + 6;
}

Bytes JpegWithExif(const Bytes& tiff, const Bytes& segmentsBefore)
{
    Bytes out{0xFF, 0xD8};
    out.insert(out.end(), segmentsBefore.begin(), segmentsBefore.end());
    const uint32_t length = 2 + 6 + uint32_t(tiff.size());
    out.insert(out.end(), {0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length), 'E', 'x', 'i', 'f', 0, 0});
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

Bytes CasioNote(const std::string& signature, const std::vector<TestEntry>& entries)
{
    // The note's own directory starts at its block position 0, so long
    // values at note-block position p are named by offset p - 8.
    Bytes block;
    const uint32_t count = uint32_t(entries.size());
    uint32_t valueAt = 2 + kEntryBytes * count + 4;
    Bytes values;
    const auto put16 = [&block](uint16_t v) { block.insert(block.end(), {uint8_t(v >> 8), uint8_t(v)}); };
    const auto put32 = [&put16](uint32_t v) {
        put16(uint16_t(v >> 16));
        put16(uint16_t(v));
    };
    put16(uint16_t(count));
    for (const TestEntry& e : entries) {
        put16(e.tag);
        put16(e.type);
        put32(e.count);
        if (e.rawField) {
            put32(e.field);
        } else if (e.value.size() <= kFieldBytes) {
            Bytes field = e.value;
            field.resize(kFieldBytes, 0);
            block.insert(block.end(), field.begin(), field.end());
        } else {
            put32(valueAt + uint32_t(values.size()) - kNoteOffsetBias);
            values.insert(values.end(), e.value.begin(), e.value.end());
        }
    }
    put32(0);
    block.insert(block.end(), values.begin(), values.end());
    Bytes note(signature.begin(), signature.end());
    note.resize(4, 0);
    note.insert(note.end(), {0, 0});
    note.insert(note.end(), block.begin(), block.end());
    return note;
}

}  // namespace ZAVTest
