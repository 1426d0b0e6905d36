// The walk over the image file directories (TIFF 6.0, section 2: a 16-bit
// entry count, 12-byte entries, the 32-bit offset of the next directory).
#include <algorithm>
#include <vector>

#include "formats/FormatLimits.h"
#include "formats/exif/ExifRead.h"

namespace ZAV {

namespace {

constexpr uint64_t kCountBytes = 2;

}  // namespace

void CExifRead::WalkMainChain(uint64_t position)
{
    // The links come from the file: a directory already read ends the
    // chain, so does the ceiling on its length.
    std::vector<uint64_t> visited;
    for (int n = 0; n < kExifMaxChainDirectories; ++n) {
        if (std::find(visited.begin(), visited.end(), position) != visited.end())
            return;
        visited.push_back(position);
        const uint32_t next = m_block.DWord(ReadDirectory(position));
        ++m_group;
        if (next == 0)
            return;
        position = uint64_t(next) + kExifTiffStart;
    }
}

uint64_t CExifRead::ReadDirectory(uint64_t position)
{
    const uint16_t count = m_block.Word(position);
    const uint64_t first = position + kCountBytes;
    // The whole directory lies in the block before any of it is read.
    m_block.At(first, kExifEntryBytes * count);
    for (uint16_t i = 0; i < count; ++i) {
        m_entry = ReadExifDirectoryEntry(m_block, first + kExifEntryBytes * i);
        AddEntry();
    }
    return first + kExifEntryBytes * count;
}

void CExifRead::AddEntry()
{
    m_entries.push_back(std::make_unique<CExifEntry>());
    CExifEntry& entry = *m_entries.back();
    entry.group = m_group;
    m_entryIndex = static_cast<int>(m_entries.size() - 1);
    FormatTag(entry, m_entryIndex);
}

void CExifRead::WalkSubDirectories()
{
    m_group = kExifGroupSubIfd;
    // Only this one directory: its link to a next one is not followed.
    if (m_exifIfdPosition >= 0)
        ReadDirectory(static_cast<uint64_t>(m_exifIfdPosition));
    if (m_interoperabilityFlag) {
        m_group = kExifGroupInteroperability;
        ReadDirectory(static_cast<uint64_t>(m_interoperabilityPosition));
    }
}

}  // namespace ZAV
