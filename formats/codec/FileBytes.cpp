#include "formats/codec/FileBytes.h"

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// The data source's end-of-data code and text.
constexpr int kCodeEndOfData = 11;
constexpr const char* kEndOfDataText = "End of file reached while decoding.\n";

}  // namespace

bool CFileBytes::Seek(size_t position)
{
    if (position > m_size)
        return false;
    m_position = position;
    return true;
}

const uint8_t* CFileBytes::Take(size_t count)
{
    if (!Has(count))
        ThrowEndOfData();
    const uint8_t* start = m_data + m_position;
    m_position += count;
    return start;
}

bool CFileBytes::TrySkip(uint64_t count)
{
    if (count > Remaining())
        return false;
    m_position += static_cast<size_t>(count);
    return true;
}

uint8_t CFileBytes::U8()
{
    return *Take(1);
}

uint16_t CFileBytes::LE16()
{
    const uint8_t* p = Take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t CFileBytes::LE32()
{
    const uint8_t* p = Take(4);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t CFileBytes::BE16()
{
    const uint8_t* p = Take(2);
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t CFileBytes::BE32()
{
    const uint8_t* p = Take(4);
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

void CFileBytes::ThrowEndOfData()
{
    throw CTextException(kCodeEndOfData, kEndOfDataText);
}

std::vector<uint8_t> ReadRestOfSource(IDataSource* source)
{
    if (!source)
        ThrowTextException("Invalid parameter!");
    return ReadSourceBytes(*source, kMaxCodecSourceBytes);
}

}  // namespace ZAV
