// CExifRead: reads the EXIF block of a JPEG picture (the APP1 segment that
// starts with "Exif" and two zero bytes; EXIF 2.1, section 4.5), from a file
// or from memory. Every entry of the main directory chain, the EXIF
// sub-directory and the interoperability directory becomes a CExifEntry of
// five texts; Casio type-2 maker notes are read and merged, and the EXIF
// thumbnail (JPEG or uncompressed RGB) is built as an image. Every offset,
// count and length in the block is checked before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/String.h"
#include "formats/exif/ExifBlock.h"
#include "formats/exif/ExifDirectoryEntry.h"
#include "formats/exif/ExifEntry.h"
#include "image/core/GlobalMemBlock.h"

namespace ZAV {

class CZAVImg;
struct ExifTagRow;

// What the tags of the thumbnail directory say about an uncompressed RGB
// thumbnail; a later directory overrides an earlier one.
struct ExifThumbnailRecord {
    int64_t dataSize = 0;
    int width = 0;
    int height = 0;
    int stripByteCount = 0;
    int64_t stripPosition = 0;
    int photometric = 0;
};

class CExifRead {
public:
    // Over a file, opened mapped; one that cannot be opened fails Read.
    CExifRead(const char* path, int thumbnailFlag);
    // Over the caller's memory, which must outlive the reader.
    CExifRead(const void* data, size_t size, int thumbnailFlag);
    CExifRead(const CExifRead&) = delete;
    CExifRead& operator=(const CExifRead&) = delete;

    // Names the current entry (its tag, name, description and value) and
    // carries out what the tag steers. A maker-note reader has its own.
    virtual void FormatTag(CExifEntry& entry, int index);
    virtual ~CExifRead();

    // The whole read; false with GetLastError's text on failure. Each read
    // starts with an empty entry list.
    bool Read();
    // The directory walk over the whole source as the block, in the given
    // byte order, without the JPEG search and without a thumbnail image.
    bool ReadFromMemory(int byteOrder);

    // Five texts per entry: group, tag, name, description, value.
    void GetEntries(std::vector<std::string>& texts) const;
    const char* GetLastError() const { return m_lastError.GetText(); }
    // Made empty on the first call; the reader keeps it.
    CZAVImg* GetThumbnailImage();
    // Hands over the uncompressed thumbnail's pixels; false when none.
    bool GetThumbnailData(CGlobalMemBlock& block, int64_t& size, int& width, int& height);
    int64_t GetThumbnailPosition() const { return m_jpegThumbnailPosition; }

protected:
    const CExifBlock& Block() const { return m_block; }
    const ExifDirectoryEntry& CurrentEntry() const { return m_entry; }
    void SetJpegThumbnailPosition(int64_t position) { m_jpegThumbnailPosition = position; }

private:
    void Reset();
    void OpenSource();
    template <class Steps>
    bool RunRead(Steps steps);
    bool HasThumbnailPixels() const;
    // The source whole as the block (maker notes).
    void LoadWholeSource();
    // The JPEG search and the APP1 header; fills the block.
    void FindApp1();
    void LoadApp1Block();
    void ReadTiffHeader();
    void WalkMainChain(uint64_t position);
    // The entries of one directory; the position just past them.
    uint64_t ReadDirectory(uint64_t position);
    void AddEntry();
    void WalkSubDirectories();
    void ApplyEffect(const ExifTagRow& row, const std::string& value);
    void AddReadableUserComment();
    void ReadMakerNote();
    void MergeMakerNote(CExifRead& note);
    void ReadThumbnailData();
    void BuildThumbnailImage();
    void LoadThumbnailImage(int64_t position);

    int m_byteOrder = kExifLittleEndian;
    int m_interoperabilityFlag = 0;
    uint8_t m_header[12] = {};
    CExifBlock m_block;
    // Where block position 0 lies in the source: the APP1 length field.
    int64_t m_blockSourceStart = 0;
    int64_t m_app1Position = 0;
    uint32_t m_ifd0Offset = 8;
    int64_t m_exifIfdPosition = -1;
    int64_t m_interoperabilityPosition = 0;
    int m_group = 0;
    int m_entryIndex = 0;
    ExifDirectoryEntry m_entry;
    int m_planarWord = 0;
    uint32_t m_app1Length = 0;
    int64_t m_jpegThumbnailPosition = 0;
    CGlobalMemBlock m_thumbnailBlock;
    ExifThumbnailRecord m_thumbnail;
    CDataSource m_source;
    std::string m_path;
    bool m_fromMemory = false;
    const void* m_memory = nullptr;
    size_t m_memorySize = 0;
    String m_lastError;
    std::vector<std::unique_ptr<CExifEntry>> m_entries;
    std::unique_ptr<CZAVImg> m_thumbnailImage;
    int m_thumbnailFlag = 0;
};

}  // namespace ZAV
