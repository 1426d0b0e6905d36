// Finding the EXIF block in a JPEG stream (ITU-T T.81 markers; EXIF 2.1,
// section 4.5.4: APP1, its length, "Exif" and two zero bytes, then the TIFF
// header) and taking it into the reader's block.
#include <cstdint>
#include <cstring>

#include "foundation/text/TextException.h"
#include "formats/exif/ExifRead.h"

namespace ZAV {

namespace {

// The start-of-image marker must lie within the first bytes.
constexpr int64_t kExifSearchBytes = 256;
constexpr int kMarkerPrefix = 0xFF;
constexpr int kStartOfImage = 0xD8;
constexpr int kApp1 = 0xE1;
// The marker's two bytes and the length field stand between the APP1
// position (two bytes before the marker) and the "Exif" identifier.
constexpr int64_t kApp1PositionBehind = 4;
constexpr size_t kHeaderBytes = 12;
constexpr size_t kIdentifierAt = 6;
constexpr uint8_t kExifIdentifier[] = {'E', 'x', 'i', 'f', 0, 0};
// Segments this long are not EXIF as cameras write it.
constexpr uint32_t kMaxSegmentLength = 100000;
// The length field lies 8 bytes back from the end of the 12 header bytes.
constexpr int64_t kBackToLength = 8;
// Block positions of the TIFF header's byte order mark and first offset.
constexpr uint64_t kByteOrderAt = 8;
constexpr uint64_t kIfd0OffsetAt = 12;

// The next byte, -1 at the end; every byte read is counted.
int NextByte(CDataSource& source, int64_t& count)
{
    uint8_t byte = 0;
    if (source.Read(&byte, 1) != 1)
        return -1;
    ++count;
    return byte;
}

// The first 0xFF pair with MARKER as its second byte, among the bytes read
// while the count stays below LIMIT.
bool FindMarker(CDataSource& source, int64_t& count, int marker, int64_t limit)
{
    while (count < limit && !source.IsEof()) {
        const int byte = NextByte(source, count);
        if (byte < 0)
            return false;
        if (byte != kMarkerPrefix)
            continue;
        const int next = NextByte(source, count);
        if (next == marker)
            return true;
        if (next < 0)
            return false;
    }
    return false;
}

}  // namespace

void CExifRead::FindApp1()
{
    int64_t count = 0;
    if (!FindMarker(m_source, count, kStartOfImage, kExifSearchBytes) || !FindMarker(m_source, count, kApp1, INT64_MAX))
        ThrowExifError("No Exif data found!");
    m_app1Position = count - kApp1PositionBehind;
    m_source.Seek(m_app1Position, 0);
    std::memcpy(m_header, m_source.ReadBlock(kHeaderBytes), kHeaderBytes);
    if (m_header[2] != kMarkerPrefix || m_header[3] != kApp1)
        ThrowExifError("This file is not an Exif file!");
    m_app1Length = (uint32_t(m_header[4]) << 8) | m_header[5];
    if (m_app1Length >= kMaxSegmentLength)
        ThrowExifError("The data is too large for this program to cope with!");
    if (std::memcmp(m_header + kIdentifierAt, kExifIdentifier, sizeof(kExifIdentifier)) != 0)
        ThrowExifError("'Exif' was not found as expected!");
}

void CExifRead::LoadApp1Block()
{
    m_source.Seek(-kBackToLength, 1);
    m_blockSourceStart = m_app1Position + kApp1PositionBehind;
    m_block.Allocate(m_app1Length);
    if (m_app1Length > 0)
        std::memcpy(m_block.Data(), m_source.ReadBlock(m_app1Length), m_app1Length);
}

void CExifRead::ReadTiffHeader()
{
    const uint8_t* mark = m_block.At(kByteOrderAt, 2);
    if (mark[0] == 'M' && mark[1] == 'M')
        m_byteOrder = kExifBigEndian;
    else
        m_byteOrder = kExifLittleEndian;
    m_block.SetByteOrder(m_byteOrder);
    m_ifd0Offset = m_block.DWord(kIfd0OffsetAt);
}

void CExifRead::LoadWholeSource()
{
    const uint64_t length = m_source.GetLength();
    if (length >= kMaxSegmentLength)
        ThrowExifError("The data is too large for this program to cope with!");
    m_block.Allocate(static_cast<size_t>(length));
    if (length > 0)
        std::memcpy(m_block.Data(), m_source.ReadBlock(static_cast<size_t>(length)), static_cast<size_t>(length));
    m_app1Length = static_cast<uint32_t>(length);
}

}  // namespace ZAV
